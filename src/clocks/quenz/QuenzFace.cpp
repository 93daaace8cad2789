#include "clocks/quenz/QuenzFace.h"

#include "base/RefreshSignal.h"
#include "platform/TimeSource.h"

namespace vrim {
namespace {

struct BarLayout {
    QRect bar;    // twips in the window
    QRect marker; // twips in the bar
};

const std::array<BarLayout, 12> Layout = {{
    {{1500, 240, 615, 195}, {240, 5, 105, 170}},
    {{1830, 690, 375, 195}, {0, 0, 105, 165}},
    {{1710, 1020, 495, 195}, {0, 0, 105, 165}},
    {{1830, 1320, 382, 195}, {0, 0, 105, 165}},
    {{1500, 1800, 615, 195}, {240, 0, 105, 165}},
    {{810, 1800, 615, 195}, {240, 0, 105, 165}},
    {{90, 1800, 615, 195}, {240, 0, 105, 165}},
    {{0, 1320, 375, 195}, {210, 0, 105, 165}},
    {{0, 990, 495, 195}, {330, 0, 105, 165}},
    {{0, 660, 375, 195}, {210, 0, 105, 165}},
    {{90, 240, 615, 195}, {240, 0, 105, 165}},
    {{810, 240, 615, 195}, {240, 0, 105, 166}},
}};

constexpr ColourValue Black = rgbValue(0, 0, 0);
constexpr ColourValue Edge = rgbValue(40, 40, 40);
// The designer's colour of an outline nobody set: the window text's.
constexpr ColourValue WindowText = Black;

// The marker that stands for the five seconds `seconds` lies in.
int markerOf(int seconds) { return seconds / 5 == 0 ? 11 : seconds / 5 - 1; }

} // namespace

QuenzFace::QuenzFace(ColourValue face)
    : m_face(face)
{
    // The window itself: black, with the skin picture from its top-left corner at its own size.
    m_controls.add({.name = QStringLiteral("Quenz"),
                    .twips = {0, 0, 2370, 2415},
                    .fill = Black,
                    .picture = 0,
                    .fit = PictureFit::Natural});
    // Drawn on the window, so beneath every box.
    m_controls.add({.name = QStringLiteral("Shape2"),
                    .twips = {30, 90, 2160, 2025},
                    .shape = FaceShape::Ellipse,
                    .outline = WindowText});
    m_controls.add({.name = QStringLiteral("Line2"),
                    .shape = FaceShape::Line,
                    .segment = {1, 10, 2300, 10},
                    .lineWidth = 5,
                    .outline = DarkGrey});
    m_controls.add({.name = QStringLiteral("Line3"),
                    .shape = FaceShape::Line,
                    .segment = {30, 540, 2200, 540},
                    .outline = Yellow});
    std::array<QRect, 12> bars, markers;
    for (size_t i = 0; i < 12; ++i) {
        bars[i] = Layout[i].bar;
        markers[i] = Layout[i].marker.translated(Layout[i].bar.topLeft());
    }
    const HourRing ring = addHourRing(m_controls, bars, markers, face, Grey, Edge);
    m_bars = ring.bars;
    m_markers = ring.markers;
    m_controls[m_bars[2]].fill = Grey; // the "3" bar starts grey
    const int centre = m_controls.add({.name = QStringLiteral("Picture3"),
                                       .twips = {840, 870, 495, 495},
                                       .fill = Black,
                                       .tip = QStringLiteral("Minutes")});
    m_minutes =
        m_controls.add({.name = QStringLiteral("Label1"),
                        .twips = {870, 930, 375, 375},
                        .fill = Navy,
                        .font = FaceText{QStringLiteral("Courier New"), 15.75, true, rgbValue(224, 224, 224)},
                        .clipTo = centre});
    m_dot = m_controls.add({.name = quenz::control::Dot, .twips = {1035, 645, 100, 100}, .fill = Morning});
}

void QuenzFace::reset()
{
    for (int i = 0; i < 12; ++i) {
        paintBar(i, m_face);
        paintMarker(i, m_face);
    }
}

void QuenzFace::update(TimeSource &time, RefreshSignal &tag)
{
    int hour = time.timeText().left(2).toInt();
    if (hour > 12) {
        hour -= 12;
        m_controls[m_dot].fill = Afternoon;
    } else {
        m_controls[m_dot].fill = Morning;
    }
    const int current = hour == 0 ? 11 : hour - 1;
    // The "11" bar still lit: the hour has just turned to 12 (or 0).
    if (current == 11 && bar(10) != m_face) {
        paintBar(10, m_face);
        paintBar(11, Noon);
    }
    paintBar(current == 0 ? 11 : current - 1, m_face);

    const int seconds = minutesAndSeconds(time, current);
    if (seconds < 0)
        return;
    // Second 0 of minute 00: clear the face and draw it again, once, in this same pass.
    if (tag.carrier().isEmpty() && minutesText() == u"00" && seconds == 0) {
        reset();
        tag.setCarrier(hourlyClearTag());
        if (minutesAndSeconds(time, current) < 0)
            return;
    }
    if (tag.carrier() == hourlyClearTag())
        tag.setCarrier({});
}

int QuenzFace::minutesAndSeconds(TimeSource &time, int current)
{
    m_controls[m_minutes].text = time.timeText().mid(3, 2);
    const int seconds = time.timeText().mid(6, 2).toInt();
    const int lit = markerOf(seconds);
    if (seconds % 5 != 0) {
        // A marker of other seconds still lit: a multiple of five went by without a pass (a
        // sleep, the clock set). Clear it now rather than show the wrong time until the next one.
        for (int i = 0; i < 12; ++i)
            if (i != lit && marker(i) == Second)
                paintMarker(i, i == current ? Blue : m_face);
        return -1;
    }
    const int previous = lit == 0 ? 11 : lit - 1;
    paintBar(current, Blue);
    paintMarker(current, Blue);
    paintMarker(lit, Second);
    paintMarker(previous, m_face);
    for (int i = 0; i < 12; ++i) // lit before a pass that was missed, or before the clock went back
        if (i != lit && marker(i) == Second)
            paintMarker(i, m_face);
    if (marker(current) == m_face)
        paintMarker(current, Blue);
    return seconds;
}

} // namespace vrim
