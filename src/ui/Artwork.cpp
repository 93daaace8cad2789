#include "ui/Artwork.h"

#include "platform/FreePages.h"

#include <QImageReader>
#include <QResource>

namespace vrim {

QImage readPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    // Its compressed bytes are not needed again, nor the program file's pages around them.
    const QResource file(path);
    if (file.isValid() && file.data())
        forgetSegmentPages(file.data());
    return image;
}

QImage loadArtwork(const QString &path, qreal ratio)
{
    if (ratio > 1.0) {
        const qsizetype dot = path.lastIndexOf(u'.');
        const QString twinPath =
            dot < 0 ? QString(path + u"@2x") : QString(path.left(dot) + u"@2x" + path.mid(dot));
        QImage twin = readPng(twinPath);
        if (!twin.isNull()) {
            twin.setDevicePixelRatio(2.0);
            return twin;
        }
    }
    return readPng(path);
}

} // namespace vrim
