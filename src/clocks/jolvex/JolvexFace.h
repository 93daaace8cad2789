#pragma once

#include "clocks/Face.h"

#include <QString>

#include <array>
#include <optional>

namespace vrim {

class TimeSource;

// The Jolvex face: a panel in which the colour of the coming hour slides down over the colour
// of the current one, beside a narrow seconds bar that fills the same way (or a round LED that
// blinks each second). The bars' tops, single-precision twips within the panel, are the state:
// placed at 8 twips a minute or second when the window opens, then moved 8.5 twips a step.
class JolvexFace {
public:
    // Shape1, Shape2, Shape4, Shape5.
    enum Bar { NextHour, CurrentHour, SecondsUpper, SecondsLower };

    static constexpr ColourValue Background = rgbValue(224, 224, 224);
    static constexpr ColourValue White = rgbValue(255, 255, 255);
    static constexpr ColourValue LedBlue = rgbValue(0, 0, 255);
    static constexpr ColourValue LedGreen = rgbValue(0, 255, 0);
    static constexpr ColourValue LedRed = rgbValue(255, 0, 10);
    static constexpr ColourValue SecondsUpperColour = rgbValue(176, 23, 31);
    static constexpr QPoint Panel{90, 90}; // its top-left corner in the window, twips
    static constexpr float Column = 480;   // the height the bars fill, twips

    // The hour colour code, by the hour modulo 12 (index 0 is 12 o'clock and midnight).
    static ColourValue hourColour(int index);

    // `face` is the platform's button-face colour: the panel's background.
    explicit JolvexFace(ColourValue face);

    const Face &controls() const { return m_controls; }
    float top(Bar bar) const { return *control(bar).exactTop - float(Panel.y()); }
    ColourValue colour(Bar bar) const { return *control(bar).fill; }
    bool visible(Bar bar) const { return control(bar).visible; }
    int width(Bar bar) const { return control(bar).twips.width(); }
    ColourValue led() const { return *m_controls[m_led].fill; }
    bool ledVisible() const { return m_controls[m_led].visible; }
    const QString &secondsMarker() const { return m_controls[m_secondsMarker].text; } // Label1
    const QString &minuteMarker() const { return m_controls[m_minuteMarker].text; }   // Label2

    // The window opens: the seconds colours, then the bars placed for the time of opening.
    void open(TimeSource &time);
    // The bars placed again as a window opened now places them, and the markers empty so that
    // the next tick steps as a first one does; the display modes stay as chosen.
    void reopen(TimeSource &time);
    // One tick: the markers and their steps, the minute's reset of the seconds bar, the wraps,
    // the hour colours.
    void tick(TimeSource &time);

    // The display modes "bar", "led", "SecondsOn", "SecondsOff"; false for any other item.
    bool choose(const QString &item);
    // The check mark of a display-mode item, none for any other item.
    std::optional<bool> checked(const QString &item) const;

private:
    FaceControl &control(Bar bar) { return m_controls[m_bars[size_t(bar)]]; }
    const FaceControl &control(Bar bar) const { return m_controls[m_bars[size_t(bar)]]; }
    void setTop(Bar bar, float top) { control(bar).exactTop = float(Panel.y()) + top; }
    void moveBy(Bar bar, float step) { setTop(bar, top(bar) + step); }
    void setMarker(int marker, const QString &text);
    void secondsStep();
    void minuteStep();
    void showModes(bool led, bool seconds, int hourWidth);

    Face m_controls;
    std::array<int, 4> m_bars{};
    int m_led = 0;
    int m_secondsMarker = 0;
    int m_minuteMarker = 0;
    bool m_bar = true, m_ledChecked = false, m_secondsOn = false, m_secondsOff = false;
};

} // namespace vrim
