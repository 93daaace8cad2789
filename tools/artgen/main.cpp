// vrim_artgen: draws every skin and program picture of Vrim Clocks and
// synthesises its chimes.
//
//   vrim_artgen [--check] <outdir-data> <outdir-shellart> <outdir-mipart> <outdir-perrinart>
//
// The pictures whose meaning can be read from their pixels (Mip's counted points, Perrin's
// hours) are checked as they lie on disk after writing; --check only checks the files already
// there, as kept in the tree.
// Skins.cpp, ShellArt.cpp, MipArt.cpp and Sounds.cpp each make one kind of
// file; Noise, Draw and Writers hold what they share. Output is meant to be
// byte-for-byte repeatable, which is why Noise has its own generator (see
// Noise.h).

#include "Checks.h"
#include "MipArt.h"
#include "PerrinArt.h"
#include "ShellArt.h"
#include "Skins.h"
#include "Sounds.h"
#include "Writers.h"

#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv) {
    // Text and painting need a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const bool checkOnly = argc > 1 && QByteArray(argv[1]) == "--check";
    char **dirs = argv + (checkOnly ? 2 : 1);
    if (argc - (checkOnly ? 2 : 1) != 4) {
        std::fprintf(stderr,
                     "usage: %s [--check] <outdir-data> <outdir-shellart> <outdir-mipart> "
                     "<outdir-perrinart>\n",
                     argv[0]);
        return 2;
    }
    const QString dataDir = QDir(QString::fromLocal8Bit(dirs[0])).absolutePath();
    const QString artDir = QDir(QString::fromLocal8Bit(dirs[1])).absolutePath();
    const QString mipDir = QDir(QString::fromLocal8Bit(dirs[2])).absolutePath();
    const QString perrinDir = QDir(QString::fromLocal8Bit(dirs[3])).absolutePath();
    if (checkOnly) {
        artgen::checkMipArt(mipDir, dataDir + "/Helps/m0.gif");
        artgen::checkPerrinArt(perrinDir);
        const int failures = artgen::failureCount();
        if (failures > 0) {
            std::fprintf(stderr, "%d check(s) failed\n", failures);
            return 1;
        }
        std::printf("the artwork is as it should be\n");
        return 0;
    }

    // The title must look the same wherever this runs.
    const QString family = QFontInfo(artgen::titleFont(40, true)).family();
    if (family != "DejaVu Sans")
        std::fprintf(stderr,
                     "warning: DejaVu Sans not found, titles use %s (install fonts-dejavu-core)\n",
                     qPrintable(family));

    artgen::makeSkins(dataDir);
    artgen::makeSounds(dataDir);
    artgen::makeSplash(artDir + "/splash.png");
    artgen::makeLauncher(artDir + "/launcher.png");
    artgen::makeHelpEntry(artDir + "/help-entry.png");
    artgen::makeSplash(artDir + "/splash@2x.png", 2.0);
    artgen::makeLauncher(artDir + "/launcher@2x.png", 2.0);
    artgen::makeHelpEntry(artDir + "/help-entry@2x.png", 2.0);
    artgen::makeLinkCursor(artDir + "/link-cursor.png");
    artgen::makeMipArt(mipDir, dataDir + "/Helps/m0.gif");
    artgen::makePerrinArt(perrinDir);
    artgen::checkMipArt(mipDir, dataDir + "/Helps/m0.gif");
    artgen::checkPerrinArt(perrinDir);

    if (const int failures = artgen::failureCount(); failures > 0) {
        std::fprintf(stderr, "%d file(s) failed\n", failures);
        return 1;
    }
    return 0;
}
