#pragma once

#include "shell/Geometry.h"

#include <QRect>
#include <QString>

#include <array>

namespace vrim {

class TimeSource;

// A marker inside an hour bar.
struct DovMarker {
    ColourValue colour = 0;
    bool visible = true;
    bool border = false;
    bool operator==(const DovMarker &) const = default;
};

// The Dov face: twelve hour bars in a square ring, a marker inside each, and the minutes in the
// centre. Bar i stands for hour i + 1. The colours are the state: every test compares them.
class DovFace {
public:
    static constexpr ColourValue Lit = rgbValue(0, 255, 0);
    static constexpr ColourValue Second = rgbValue(0, 0, 255);
    static constexpr ColourValue Dim = rgbValue(105, 105, 100);

    // `face` is the platform's button-face colour, the colour of an unlit bar or marker.
    explicit DovFace(ColourValue face);

    ColourValue faceColour() const { return m_face; }
    ColourValue bar(int i) const { return m_bars[size_t(i)]; }
    const DovMarker &marker(int i) const { return m_markers[size_t(i)]; }
    const QString &minutesText() const { return m_minutes; } // Label1
    int lastHour() const { return m_lastHour; }
    int minuteUnits() const { return m_minUnits; }

    void reset(TimeSource &time);
    void update(TimeSource &time);

    bool operator==(const DovFace &) const = default;

    // Layout, in twips within the window's client area.
    static QRect barTwips(int i);
    static QRect markerTwips(int i); // within the window, not the bar
    static QString barTip(int i) { return QString::number(i + 1); }
    static QString markerTip(int i) { return i == 11 ? QStringLiteral("0") : QString::number(5 * (i + 1)); }

private:
    ColourValue m_face;
    std::array<ColourValue, 12> m_bars;
    std::array<DovMarker, 12> m_markers;
    QString m_minutes;
    qint16 m_lastHour = -1;
    int m_minUnits = 0;
};

} // namespace vrim
