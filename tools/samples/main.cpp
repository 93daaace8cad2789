// Writes the help's sample pictures, or checks the help's files. Run by tools/make-samples.sh
// and tools/make-help.sh:
//   vrim_samples DATA_FOLDER HELPS_FOLDER ART_FOLDER   write the pictures, and check them
//   vrim_samples --check REPO                          check the pages and the kept pictures,
//                                                      and that they show the clocks as they are
//   vrim_samples --check-pages REPO                    check only the pages
#include "Checks.h"
#include "Samples.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (argc == 3 && (mode == "--check" || mode == "--check-pages")) {
        const QString repo = QString::fromLocal8Bit(argv[2]);
        bool ok = vrim::checkHelpPages(repo);
        if (mode == "--check") {
            ok &= vrim::checkSamplePictures(repo + QStringLiteral("/data/Helps"),
                                            repo + QStringLiteral("/src/help/art"));
            ok &= vrim::checkSamplesAreCurrent(repo);
        }
        std::puts(ok ? "the help's files are as they should be" : "some of the help's files are not");
        return ok ? 0 : 1;
    }
    if (argc != 4) {
        std::fputs("usage: vrim_samples DATA_FOLDER HELPS_FOLDER ART_FOLDER\n"
                   "       vrim_samples --check|--check-pages REPO\n",
                   stderr);
        return 2;
    }
    const QString helps = QString::fromLocal8Bit(argv[2]), art = QString::fromLocal8Bit(argv[3]);
    return vrim::renderSamples(QString::fromLocal8Bit(argv[1]), helps, art) &&
                   vrim::checkSamplePictures(helps, art)
               ? 0
               : 1;
}
