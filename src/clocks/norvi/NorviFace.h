#pragma once

#include "clocks/Face.h"

#include <QString>

#include <array>

namespace vrim {

class TimeSource;

// The Norvi face: the frame picture behind everything, the centre panel with its picture, and
// in the panel a ring of twelve hour lamps around two columns of small lamps: seconds on the
// left, minutes on the right, each a tens bar above a units part. The controls' colours are the
// state: every rule tests or repaints them.
class NorviFace {
public:
    static constexpr ColourValue Green = rgbValue(0, 255, 0); // the current hour
    static constexpr ColourValue Blue = rgbValue(0, 0, 255);  // minute lamps
    static constexpr ColourValue Red = rgbValue(255, 0, 0);   // second lamps, while shown
    static constexpr ColourValue Afternoon = rgbValue(0, 0, 100);
    static constexpr ColourValue Morning = rgbValue(200, 200, 200);

    // The panel's place in the window; the lamps' places are given within it.
    static constexpr QRect Panel{90, 60, 1215, 3195};

    // `face` is the platform's button-face colour, the colour of an unlit lamp.
    explicit NorviFace(ColourValue face);

    const Face &controls() const { return m_controls; }
    ColourValue faceColour() const { return m_face; }

    // Hour lamp i stands for the hour its numeral names; lamp 0 is "XII".
    ColourValue hourLamp(int i) const { return fillOf(m_hours[size_t(i)]); }
    ColourValue secondsTens(int k) const { return fillOf(m_secTens[size_t(k)]); }
    ColourValue secondsUnits(int k) const { return fillOf(m_secUnits[size_t(k)]); }
    ColourValue minutesTens(int k) const { return fillOf(m_minTens[size_t(k)]); }
    // Cell 0 is the hidden one, under the afternoon indicator.
    ColourValue minutesUnits(int k) const { return fillOf(m_minUnits[size_t(k)]); }
    ColourValue indicator() const { return fillOf(m_indicator); }
    bool afternoon() const { return m_afternoon; }
    ColourValue secondsColour() const { return m_secColour; }
    int controlOf(const QString &name) const;

    // The lamps as the window opens: the bars so far, and the afternoon indicator (once only).
    void load(TimeSource &time);
    // The lamps as a window opened now shows them, keeping the indicator and the seconds choice.
    void reopen(TimeSource &time);
    // One pass of the rules, each figure from a reading of its own.
    void update(TimeSource &time);
    // After a drag: only the current second's units lamp is lit, and red.
    void afterDrag(TimeSource &time);
    // "Secs/No Secs": seconds shown in red, or in the button face.
    void toggleSeconds(TimeSource &time);

private:
    // The bars so far: the minutes' tens and units and the seconds' tens before the current.
    void paintSoFar(TimeSource &time);
    ColourValue fillOf(int control) const { return *m_controls[control].fill; }
    void paint(int control, ColourValue colour) { m_controls[control].fill = colour; }
    template <size_t N>
    void paintRange(const std::array<int, N> &cells, int from, int to, ColourValue colour)
    {
        for (int k = from; k <= to; ++k)
            paint(cells[size_t(k)], colour);
    }

    ColourValue m_face;
    Face m_controls;
    std::array<int, 12> m_hours{};
    std::array<int, 6> m_secTens{};
    std::array<int, 10> m_secUnits{};
    std::array<int, 6> m_minTens{};
    std::array<int, 10> m_minUnits{};
    int m_indicator = 0;
    ColourValue m_secColour = Red;
    bool m_afternoon = false;
};

} // namespace vrim
