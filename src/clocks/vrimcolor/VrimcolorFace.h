#pragma once

#include "clocks/Face.h"

#include <QString>

#include <array>

namespace vrim {

class TimeSource;

// The Vrimcolor face: two upright bars for the minutes' digits (filling from the bottom), a flat
// bar for the seconds, and a white hour square with four short lines. The hours fall into four
// groups of six, each with its own placement of the lines; within a group one line is drawn
// thick and red for the hour. The lines' colours and widths are the state the rules test.
class VrimcolorFace {
public:
    static constexpr ColourValue White = rgbValue(255, 255, 255);
    static constexpr ColourValue Black = rgbValue(0, 0, 0);
    static constexpr ColourValue Red = rgbValue(255, 0, 0);        // the hour's line
    static constexpr ColourValue Filled = rgbValue(0, 0, 128);     // the filled part of a bar
    static constexpr ColourValue Trough = rgbValue(128, 128, 128); // a bar's edge
    // The move button shows morning or afternoon; noon counts with the morning.
    static constexpr ColourValue Morning = rgbValue(0, 136, 0);
    static constexpr ColourValue Afternoon = rgbValue(125, 255, 125);

    // The hour square's place in the window; the lines' ends are given within it.
    static constexpr QRect HourSquare{480, 480, 825, 825};

    // The bars, in the order of their names ProgressBar1..3.
    enum Bar { MinuteTens, MinuteUnits, Seconds };
    static constexpr std::array<int, 3> BarMaximum = {6, 10, 60};
    static constexpr std::array<QRect, 3> BarPlace = {
        {{180, 510, 225, 795}, {1380, 150, 225, 1185}, {120, 1440, 1545, 135}}};

    enum class Group { A, B, C, D };
    static Group groupOf(int hour);

    // `face` is the platform's button-face colour, the window's background.
    explicit VrimcolorFace(ColourValue face);

    const Face &controls() const { return m_controls; }
    int barValue(Bar bar) const { return m_values[size_t(bar)]; }
    ColourValue lamp() const { return m_lamp; }

    // As the window opens: the lamp and the figure for the hour; the bars stay empty.
    void load(TimeSource &time);
    // One pass: the bars, the lamp, the figure rebuilt in the first five seconds of a minute
    // (or whenever the hour it was built for has gone), and the hour's mark.
    void update(TimeSource &time);

private:
    void setBar(Bar bar, int value);
    void setLamp(int hour) { m_lamp = hour > 12 ? Afternoon : Morning; }
    void build(int hour);
    void mark(int hour);
    int line(int k) const { return m_lines[size_t(k)]; }

    Face m_controls;
    std::array<int, 3> m_bars{};
    std::array<int, 3> m_fills{};
    std::array<int, 3> m_values{};
    std::array<int, 4> m_lines{}; // Line13 .. Line16
    ColourValue m_lamp = rgbValue(192, 255, 192);
    int m_builtFor = -1; // the hour the lines were last placed for
};

} // namespace vrim
