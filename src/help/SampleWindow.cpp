#include "help/SampleWindow.h"

#include "base/Geometry.h"
#include "base/WindowNames.h"
#include "platform/QtPlatform.h"
#include "settings/DataFolders.h"
#include "ui/Artwork.h"

#include <QDir>
#include <QLabel>
#include <QPixmap>

namespace vrim {

SampleWindow::SampleWindow(WindowRegistry &registry, const Look &look)
    : VrimWindow(registry, look.name, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(look.caption);
    const QSize size = twipsRect(QRect(QPoint(), look.clientTwips)).size();
    setFixedSize(size);
    if (look.placeTwips)
        move(twipsToPixels(look.placeTwips->x()), twipsToPixels(look.placeTwips->y()));
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Picture"));
    m_picture->setGeometry(QRect(QPoint(), size));
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QString problem;
    const QImage image =
        look.artwork ? loadArtwork(look.picture, devicePixelRatioF()) : loadPicture(look.picture, &problem);
    if (image.isNull()) {
        // The window stays open and says what it is missing.
        m_picture->setWordWrap(true);
        m_picture->setText(
            tr("Cannot show the sample picture %1")
                .arg(help::breakablePath(look.shownName.isEmpty() ? look.picture : look.shownName)));
    } else {
        m_picture->setPixmap(QPixmap::fromImage(image));
    }
}

QString help::breakablePath(const QString &path)
{
    QString shown = QDir::toNativeSeparators(path);
    const QChar breakHere(0x200B); // a zero-width space
    shown.replace(QDir::separator(), QString(QDir::separator()) + breakHere);
    shown.replace(u'.', QString(breakHere) + u'.');
    return shown;
}

QString help::nameInProgramFolder(const QString &path, const DataFolders &folders)
{
    return QDir(folders.programFolder()).relativeFilePath(path);
}

SampleWindow::Look help::sampleLook(const QString &name, const DataFolders &folders)
{
    using Look = SampleWindow::Look;
    const auto picture = [&folders](Look look) {
        look.shownName = nameInProgramFolder(look.picture, folders);
        return look;
    };
    if (name == window::NorviSample)
        return picture(Look{name, QStringLiteral("norvi Sample"), QSize(1410, 3390), std::nullopt,
                            folders.path(u"\\Helps\\norvisample.jpg")});
    if (name == window::QuenzSample)
        return picture(Look{name, QStringLiteral("Quenz Sample"), QSize(3405, 3000), QPoint(1605, 3315),
                            folders.path(u"\\Helps\\Quenzsample.jpg")});
    if (name == window::MipSample)
        return picture(Look{name, QStringLiteral("Mip Sample"), QSize(1005, 2280), QPoint(1305, 4425),
                            folders.path(u"\\Helps\\Mipsample.jpg")});
    return Look{window::LumboSample, QStringLiteral("lumbo clock Sample"),   QSize(9000, 960),
                QPoint(1560, 435),   QStringLiteral(":/help/lumbocont.png"), true};
}

} // namespace vrim
