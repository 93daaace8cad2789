#pragma once

#include "clocks/Face.h"

#include <QImage>
#include <QRect>
#include <QRegion>

#include <vector>

class QPainter;

namespace vrim {

// Draws any clock face from its controls; a design draws something of its own only where its
// face truly is something else.
class FacePainter {
public:
    // A control's place in pixels, before any cut.
    static QRect placePixels(const FaceControl &control);
    // Where control i shows on screen, in pixels: its place, cut by what it lies inside.
    static QRect shownPixels(const Face &face, int i);
    // The tool-tip at a point (pixels): that of the topmost visible control with one there.
    static QString tipAt(const Face &face, QPoint at);

    // `pictures` are the window's picture slots, each already sized for its controls. Only the
    // controls that show within `dirty` (pixels) are drawn, when it is given: a control draws
    // nothing outside where it shows.
    static void paint(QPainter &painter, const Face &face, const std::vector<QImage> &pictures,
                      const QRegion *dirty = nullptr);
};

} // namespace vrim
