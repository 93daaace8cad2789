#pragma once

#include "clocks/Face.h"

#include <QString>

#include <array>

namespace vrim {

class TimeSource;

// A marker inside an hour bar, as the rules see it.
struct DovMarker {
    ColourValue colour = 0;
    bool visible = true;
    bool border = false;
};

// The Dov face: twelve hour bars in a square ring, a marker inside each, and the minutes in the
// centre, over the skin picture. Bar i stands for hour i + 1. The controls' colours are the
// state: every rule tests them.
class DovFace {
public:
    static constexpr ColourValue Lit = rgbValue(0, 255, 0);
    static constexpr ColourValue Second = rgbValue(0, 0, 255);
    static constexpr ColourValue Dim = rgbValue(105, 105, 100);

    // `face` is the platform's button-face colour, the colour of an unlit bar or marker.
    explicit DovFace(ColourValue face);

    const Face &controls() const { return m_controls; }
    ColourValue faceColour() const { return m_face; }
    ColourValue bar(int i) const { return *m_controls[m_bars[size_t(i)]].fill; }
    DovMarker marker(int i) const;
    const QString &minutesText() const { return m_controls[m_minutes].text; } // Label1
    int lastHour() const { return m_lastHour; }
    int minuteUnits() const { return m_minUnits; }

    // ResetFace without its closing pass, and UpdateFace without its chime test.
    void reset(TimeSource &time);
    void update(TimeSource &time);

    bool operator==(const DovFace &) const = default;

private:
    void paintBar(int i, ColourValue colour) { m_controls[m_bars[size_t(i)]].fill = colour; }
    void paintMarker(int i, ColourValue colour) { m_controls[m_markers[size_t(i)]].fill = colour; }
    FaceControl &markerControl(int i) { return m_controls[m_markers[size_t(i)]]; }

    ColourValue m_face;
    Face m_controls;
    std::array<int, 12> m_bars{};
    std::array<int, 12> m_markers{};
    int m_minutes = 0;
    qint16 m_lastHour = -1;
    int m_minUnits = 0;
};

} // namespace vrim
