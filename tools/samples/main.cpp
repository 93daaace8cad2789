// Writes the help's sample pictures. Run by tools/make-samples.sh:
//   vrim_samples DATA_FOLDER HELPS_FOLDER ART_FOLDER
#include "Samples.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fputs("usage: vrim_samples DATA_FOLDER HELPS_FOLDER ART_FOLDER\n", stderr);
        return 2;
    }
    return vrim::renderSamples(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                               QString::fromLocal8Bit(argv[3]))
               ? 0
               : 1;
}
