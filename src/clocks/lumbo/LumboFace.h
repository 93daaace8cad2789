#pragma once

#include "clocks/Face.h"

#include <QString>

#include <array>

namespace vrim {

// The Lumbo face: a long bar (`Frame1`) of twelve overlapping panels. Each panel carries an hour
// button "1" … "12" at its top left and a small square at its top right. The hour's button
// lights green, the square of the minutes' tens red (squares 0–4 for tens 1–5), the panel of the
// minutes' units blue (panels 0–8 for units 1–9); square 10 is the morning lamp and square 11
// the afternoon lamp.
class LumboFace {
public:
    static constexpr ColourValue HourOn = rgbValue(0, 255, 0);
    static constexpr ColourValue TensOn = rgbValue(255, 0, 0);
    static constexpr ColourValue UnitsOn = rgbValue(0, 0, 255);
    static constexpr ColourValue HalfDayOn = rgbValue(105, 105, 100);
    static constexpr ColourValue BorderInk = rgbValue(0, 0, 0);
    static constexpr int Morning = 10, Afternoon = 11; // the squares that tell them apart

    // `face` is the platform's button-face colour: every lamp that is off.
    explicit LumboFace(ColourValue face);

    const Face &controls() const { return m_controls; }
    int window() const { return m_window; }
    int frame() const { return m_frame; }
    int hourButton(int hour) const { return m_hours[size_t(hour - 1)]; } // 1 … 12
    int square(int i) const { return m_squares[size_t(i)]; }
    int panel(int i) const { return m_panels[size_t(i)]; }

    // The stored colours (a value beyond red, green and blue shows its low 24 bits) and border.
    void setLook(qint32 inner, qint32 outer, bool border);

    // Every lamp as the time text "HH:MM:SS" says, so a jump in time leaves no lamp of the time
    // before it lit.
    void show(const QString &time);


private:
    ColourValue m_off;
    Face m_controls;
    int m_window = -1;
    int m_frame = -1;
    std::array<int, 12> m_hours{};
    std::array<int, 12> m_squares{};
    std::array<int, 12> m_panels{};
};

} // namespace vrim
