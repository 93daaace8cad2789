#pragma once

#include <QRect>
#include <QtGlobal>

#include <cmath>

namespace vrim {

// Layouts are given in twips, 15 to a logical pixel; Qt scales logical pixels on dense screens.
// Where a window of the size of `frame` lies whole within `room`, moved as little as it can be;
// a window larger than the room keeps its top left edge in it.
inline QPoint keptWithin(const QRect &frame, const QRect &room)
{
    return {qBound(room.left(), frame.x(), qMax(room.left(), room.right() + 1 - frame.width())),
            qBound(room.top(), frame.y(), qMax(room.top(), room.bottom() + 1 - frame.height()))};
}

constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel
                      : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

constexpr QRect twipsRect(const QRect &twips)
{
    return twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}

// Colours are kept as the settings files store them: red + 256 * green + 65536 * blue.
using ColourValue = quint32;

constexpr ColourValue rgbValue(int red, int green, int blue)
{
    return ColourValue(red) + 256u * ColourValue(green) + 65536u * ColourValue(blue);
}
constexpr int redOf(ColourValue value) { return int(value & 0xFF); }
constexpr int greenOf(ColourValue value) { return int((value >> 8) & 0xFF); }
constexpr int blueOf(ColourValue value) { return int((value >> 16) & 0xFF); }

} // namespace vrim
