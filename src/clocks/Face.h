#pragma once

#include "base/Geometry.h"

#include <QLine>
#include <QRect>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace vrim {

// The words of a control, in the font the design names (the window maps the name to a face).
struct FaceText {
    QString family;
    double points = 8.25;
    bool bold = false;
    ColourValue ink = 0;
    bool centred = true;
    bool operator==(const FaceText &) const = default;
};

// How a control shows one of the window's pictures (the skin, Norvi's centre): stretched to its
// place, at the picture's own size from its top-left corner, or at its own size in the middle.
enum class PictureFit { Stretch, Natural, Centre };

// What a control is drawn as: a box (filled, outlined), an ellipse outline inside its place, a
// line along `segment`, or a raised push button in the desktop's style (a box in all else).
enum class FaceShape { Box, Ellipse, Line, PushButton };

// One control of a clock face as the design names it: its place in twips within the window's
// client area and everything that can be seen of it. The logic owns these; the window only
// paints them, so a control's colour is the state every rule tests.
struct FaceControl {
    QString name; // the designer's name: "Picture1(3)"
    QRect twips;  // place within the client area
    // A top in twips that need not be whole (a bar that moves 8.5 twips a step): it stands for
    // twips.top(), and the window alone turns it into pixels.
    std::optional<float> exactTop;
    FaceShape shape = FaceShape::Box;
    QLine segment;                      // a line's ends, in twips
    int lineWidth = 1;                  // of an outline or a line, in pixels
    std::optional<ColourValue> fill;    // none: see-through (an ellipse is filled too)
    std::optional<ColourValue> outline; // a one-pixel line just inside the edge
    bool visible = true;
    QString text;
    std::optional<FaceText> font; // with text only
    int picture = -1;             // the window's picture slot it shows, or none
    PictureFit fit = PictureFit::Stretch;
    QString tip;     // tool-tip
    int clipTo = -1; // a control it lies inside and is cut off by (a line too)
    bool operator==(const FaceControl &) const = default;
};

// A face: its controls, painted in order (later ones on top). Compared by value, so a pass that
// changes nothing is seen to change nothing, and only what changed is painted again.
class Face {
public:
    int add(FaceControl control)
    {
        m_controls.push_back(std::move(control));
        return int(m_controls.size()) - 1;
    }
    FaceControl &operator[](int i) { return m_controls[size_t(i)]; }
    const FaceControl &operator[](int i) const { return m_controls[size_t(i)]; }
    int size() const { return int(m_controls.size()); }
    const std::vector<FaceControl> &controls() const { return m_controls; }
    bool operator==(const Face &) const = default;

    // The controls that look different in `after`; both are the same face at two moments.
    static std::vector<int> changed(const Face &before, const Face &after);

private:
    std::vector<FaceControl> m_controls;
};

// Twelve hour bars (`Picture1(i)`, tool-tip the hour i + 1) each with a marker inside it
// (`Picture2(i)`, tool-tip its minute: 5, 10, … 55, then 0), as the ring faces (Dov, Quenz) have
// them. Places are twips in the window.
struct HourRing {
    std::array<int, 12> bars{};
    std::array<int, 12> markers{};
};
HourRing addHourRing(Face &face, const std::array<QRect, 12> &bars, const std::array<QRect, 12> &markers,
                     ColourValue barFill, ColourValue markerFill, ColourValue barOutline);

} // namespace vrim
