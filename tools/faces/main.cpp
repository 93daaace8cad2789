// Draws every clock's face as the program's own face logic has it at given times of day, for
// comparing with screenshots of the running program (tools/soak.sh, tests/e2e/clocks.sh):
//   vrim_faces PROGRAM_FOLDER OUT_FOLDER [~]HH:MM:SS...
// The clocks open at the first time and make one pass at each time in turn, so faces that keep
// what earlier passes painted get the same history as in the program; times more than 2 s apart
// are the clock set, and the faces start afresh there as the program's do. At each time without a
// leading "~" it writes OUT_FOLDER/<window>-HHMMSS.png, the window's client area at one pixel a
// pixel. The program folder's settings and skins are the ones the faces are drawn with.
#include "app/Program.h"
#include "base/Design.h"
#include "base/WindowRegistry.h"
#include "settings/DataFolders.h"
#include "support/FakePlatform.h"
#include "ui/WidgetWindow.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTime>

#include <cstdio>

using namespace vrim;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: vrim_faces PROGRAM_FOLDER OUT_FOLDER HH:MM:SS...\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    test::FakePlatform platform;
    platform.clock.now = QString::fromLatin1(argv[3]).remove(u'~');
    Program program(platform, DataFolders(QString::fromLocal8Bit(argv[1])), [] {});

    // A pass at the second, and any pass asked for meanwhile (a reload, a repaint).
    const auto passes = [&] {
        for (int pass = 0; pass < 2; ++pass) {
            for (test::FakeTimer *timer : platform.timers)
                if (timer->isActive())
                    timer->elapse();
            QCoreApplication::processEvents();
        }
    };
    for (Design design : AllDesigns)
        program.registry().show(windowOf(design));

    int failures = 0;
    for (int arg = 3; arg < argc; ++arg) {
        QString time = QString::fromLatin1(argv[arg]);
        const bool draw = !time.startsWith(u'~');
        time.remove(u'~');
        if (!QTime::fromString(time, QStringLiteral("HH:mm:ss")).isValid()) {
            std::fprintf(stderr, "vrim_faces: '%s' is no HH:MM:SS\n", argv[arg]);
            return 2;
        }
        platform.clock.now = time;
        passes();
        if (!draw)
            continue;
        for (Design design : AllDesigns) {
            auto *handle = dynamic_cast<WidgetWindow *>(program.registry().window(windowOf(design)));
            if (!handle || !handle->widget()) {
                std::fprintf(stderr, "vrim_faces: no %s window\n", qPrintable(windowOf(design)));
                ++failures;
                continue;
            }
            QWidget *window = handle->widget();
            QImage image(window->size(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            window->render(&painter);
            painter.end();
            const QString file =
                QStringLiteral("%1/%2-%3.png").arg(out, windowOf(design), QString(time).remove(u':'));
            if (!image.save(file)) {
                std::fprintf(stderr, "vrim_faces: cannot write %s\n", qPrintable(file));
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
