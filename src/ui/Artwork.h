#pragma once

#include <QImage>
#include <QString>

namespace vrim {

// One of the program's own pictures from its resources: on a dense screen its twin drawn at twice
// the size ("name@2x.png"), marked so that it takes the same room as the plain one.
inline QImage loadArtwork(const QString &path, qreal ratio)
{
    if (ratio > 1.0) {
        const qsizetype dot = path.lastIndexOf(u'.');
        const QString twinPath =
            dot < 0 ? QString(path + u"@2x") : QString(path.left(dot) + u"@2x" + path.mid(dot));
        QImage twin(twinPath);
        if (!twin.isNull()) {
            twin.setDevicePixelRatio(2.0);
            return twin;
        }
    }
    return QImage(path);
}

} // namespace vrim
