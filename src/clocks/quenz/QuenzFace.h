#pragma once

#include "clocks/Face.h"
#include "clocks/quenz/QuenzControls.h"

#include <QString>

#include <array>

namespace vrim {

class RefreshSignal;
class TimeSource;

// The Quenz face: twelve hour bars around a circle, a marker inside each, the minutes in a
// centre box and a morning/afternoon dot, over the skin picture at its own size. Bar i stands
// for hour i + 1; marker i lights during the five seconds that start at 5 * (i + 1) (marker 11:
// at 0). The controls' colours are the state: every rule tests them.
class QuenzFace {
public:
    static constexpr ColourValue Blue = rgbValue(0, 0, 255);     // the current hour
    static constexpr ColourValue Second = rgbValue(205, 10, 0);  // the seconds marker
    static constexpr ColourValue Noon = rgbValue(200, 100, 10);  // "12" lit before its hour's blue
    static constexpr ColourValue Grey = rgbValue(128, 128, 128); // the markers before the first reset
    static constexpr ColourValue Morning = rgbValue(0, 0, 255);  // the dot
    static constexpr ColourValue Afternoon = rgbValue(0, 0, 100);
    static constexpr ColourValue Navy = rgbValue(0, 0, 128);
    static constexpr ColourValue DarkGrey = rgbValue(64, 64, 64);
    static constexpr ColourValue Yellow = rgbValue(255, 255, 0);
    // What the window's tag holds for the rest of a pass that cleared the face for a new hour.
    static QString hourlyClearTag() { return QStringLiteral("1"); }

    // `face` is the platform's button-face colour, the colour of an unlit bar or marker.
    explicit QuenzFace(ColourValue face);

    const Face &controls() const { return m_controls; }
    ColourValue faceColour() const { return m_face; }
    ColourValue bar(int i) const { return *m_controls[m_bars[size_t(i)]].fill; }
    ColourValue marker(int i) const { return *m_controls[m_markers[size_t(i)]].fill; }
    ColourValue dot() const { return *m_controls[m_dot].fill; }
    const QString &minutesText() const { return m_controls[m_minutes].text; } // Label1

    // ResetFace: every bar and marker unlit; the next pass draws the time again.
    void reset();
    // One pass of the rules, each figure from a reading of its own. `tag` is the window's tag
    // text: it carries the refresh signal, and within a pass marks the hourly clear as done.
    void update(TimeSource &time, RefreshSignal &tag);

    bool operator==(const QuenzFace &) const = default;

private:
    // Minutes and seconds; answers the seconds read, or -1 where the pass ends (they are not a
    // multiple of five).
    int minutesAndSeconds(TimeSource &time, int current);
    void paintBar(int i, ColourValue colour) { m_controls[m_bars[size_t(i)]].fill = colour; }
    void paintMarker(int i, ColourValue colour) { m_controls[m_markers[size_t(i)]].fill = colour; }

    ColourValue m_face;
    Face m_controls;
    std::array<int, 12> m_bars{};
    std::array<int, 12> m_markers{};
    int m_minutes = 0;
    int m_dot = 0;
};

} // namespace vrim
