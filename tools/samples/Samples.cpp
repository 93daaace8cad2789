#include "Samples.h"

#include "../artgen/Writers.h"

#include "app/Program.h"
#include "base/Design.h"
#include "base/WindowRegistry.h"
#include "settings/DataFolders.h"
#include "settings/SettingsStore.h"
#include "support/FakePlatform.h"
#include "ui/WidgetWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>

namespace vrim {

namespace {

// The time every sample shows: an afternoon, with the seconds on a
// five-second step, where Quenz paints its hour.
constexpr char SampleTime[] = "14:48:35";
constexpr int TwipsPerPixel = 15;

QSize pixelsOf(int widthTwips, int heightTwips)
{
    return {widthTwips / TwipsPerPixel, heightTwips / TwipsPerPixel};
}

bool copyTree(const QString &from, const QString &to)
{
    // Clean, so that every file's path lies under it however `from` was spelled ("tests/../data").
    const QDir root(QDir::cleanPath(QDir(from).absolutePath()));
    QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories);
    bool any = false;
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + u'/' + root.relativeFilePath(source);
        any = true;
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(source, target))
            return false;
    }
    return any;
}

// The window's client area as it is drawn, `scale` times its size in pixels.
QImage render(QWidget *window, qreal scale)
{
    QImage image((QSizeF(window->size()) * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    window->render(&painter);
    return image;
}

// The picture scaled, proportions kept, to fit within `box`.
QImage fitted(const QImage &picture, QSize box)
{
    return picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// The picture fitted to `box` and centred on a box-sized background of `fill`.
QImage filling(const QImage &picture, QSize box, QColor fill)
{
    const QImage inner = fitted(picture, box);
    QImage image(box, QImage::Format_RGB32);
    image.fill(fill);
    QPainter painter(&image);
    painter.drawImage((box.width() - inner.width()) / 2, (box.height() - inner.height()) / 2, inner);
    return image;
}

// At most 256 exact colours, the same ones every run, as the GIF writer needs.
QImage paletted(const QImage &picture)
{
    return picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

bool renderSamples(const QString &data, const QString &helps, const QString &art)
{
    QTemporaryDir folder;
    if (!folder.isValid() || !copyTree(data, folder.path())) {
        std::fprintf(stderr, "vrim_samples: cannot copy %s into a program folder\n", qPrintable(data));
        return false;
    }
    if (!SettingsStore(DataFolders(folder.path())).writeDefaults().ok()) {
        std::fputs("vrim_samples: cannot write the default settings\n", stderr);
        return false;
    }

    test::FakePlatform platform;
    platform.clock.now = QString::fromLatin1(SampleTime);
    Program program(platform, DataFolders(folder.path()), [] {});

    // The design's window after its first passes at the sample time.
    const auto open = [&](Design design) -> QWidget * {
        program.registry().show(windowOf(design));
        auto *handle = dynamic_cast<WidgetWindow *>(program.registry().window(windowOf(design)));
        if (!handle)
            return nullptr;
        for (int pass = 0; pass < 3; ++pass) {
            for (test::FakeTimer *timer : platform.timers)
                timer->elapse();
            QCoreApplication::processEvents();
        }
        return handle->widget();
    };

    const QColor LightYellow(255, 255, 192);
    // The picture box on the help page: the picture is fitted into it.
    const QSize pictureBox = pixelsOf(1785, 1755);
    struct Sample {
        Design design;
        QString file;
    };
    const QList<Sample> inPage = {{Design::Vrimcolor, helps + QStringLiteral("/vrimsample.jpg")},
                                  {Design::Jolvex, helps + QStringLiteral("/jolvexsample.gif")}};
    for (const Sample &sample : inPage) {
        QWidget *window = open(sample.design);
        if (!window) {
            artgen::report(sample.file, false, QStringLiteral("no window"));
            continue;
        }
        const QImage picture = fitted(render(window, 2), pictureBox);
        if (sample.file.endsWith(QStringLiteral(".gif")))
            artgen::saveGif(sample.file, paletted(picture));
        else
            artgen::saveImage(sample.file, picture);
    }

    // Sample windows: the picture is the whole client area.
    struct WindowSample {
        Design design;
        QString file;
        QSize client;
    };
    const QList<WindowSample> inWindow = {
        {Design::Norvi, helps + QStringLiteral("/norvisample.jpg"), pixelsOf(1410, 3390)},
        {Design::Quenz, helps + QStringLiteral("/Quenzsample.jpg"), pixelsOf(3405, 3000)},
        {Design::Mip, helps + QStringLiteral("/Mipsample.jpg"), pixelsOf(1005, 2280)},
    };
    for (const WindowSample &sample : inWindow) {
        QWidget *window = open(sample.design);
        if (!window) {
            artgen::report(sample.file, false, QStringLiteral("no window"));
            continue;
        }
        artgen::saveImage(sample.file, filling(render(window, 2), sample.client, LightYellow));
    }

    // The Lumbo bar, program artwork at one and two pixels a pixel.
    if (QWidget *lumbo = open(Design::Lumbo)) {
        const QSize client = pixelsOf(9000, 960);
        artgen::saveImage(art + QStringLiteral("/lumbocont.png"),
                          filling(render(lumbo, 1), client, LightYellow));
        artgen::saveImage(art + QStringLiteral("/lumbocont@2x.png"),
                          filling(render(lumbo, 2), client * 2, LightYellow));
    } else {
        artgen::report(art + QStringLiteral("/lumbocont.png"), false, QStringLiteral("no window"));
    }
    return artgen::failureCount() == 0;
}

} // namespace vrim
