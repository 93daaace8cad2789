#include "clocks/jolvex/JolvexFace.h"

#include "platform/TimeSource.h"

namespace vrim {
namespace {

constexpr ColourValue Black = rgbValue(0, 0, 0); // the lines' default colour

// 8 twips a minute or second fill the column in an hour or a minute at opening; from then on
// each step moves 8.5, so a piece passes the bottom after 57 steps and wraps.
constexpr float PlaceRate = 8;
constexpr float Step = 8.5f;
constexpr float ResetAbove = 400;

const std::array<ColourValue, 12> Code = {
    rgbValue(0, 225, 225),   // 12 "Lite Blue"
    rgbValue(85, 28, 0),     // 1 brown
    rgbValue(255, 0, 0),     // 2 red
    rgbValue(255, 115, 0),   // 3 orange
    rgbValue(255, 255, 0),   // 4 yellow
    rgbValue(0, 136, 0),     // 5 green
    rgbValue(21, 1, 133),    // 6 blue
    rgbValue(170, 0, 255),   // 7 violet
    rgbValue(130, 13, 130),  // 8, a purple though the legend says gray
    rgbValue(255, 255, 255), // 9 white
    rgbValue(0, 0, 0),       // 10 black
    rgbValue(255, 0, 255),   // 11 pink
};

} // namespace

ColourValue JolvexFace::hourColour(int index) { return Code[size_t(index)]; }

JolvexFace::JolvexFace(ColourValue face)
{
    const QPoint p = Panel;
    // The window itself, with the skin from its top-left corner at its own size.
    m_controls.add({.name = QStringLiteral("Jolvex"),
                    .twips = {0, 0, 1170, 750},
                    .fill = Background,
                    .picture = 0,
                    .fit = PictureFit::Natural});
    // Drawn on the window, so the panel hides its middle: a tick mark either side of it.
    m_controls.add({.name = QStringLiteral("Line2"),
                    .shape = FaceShape::Line,
                    .segment = {0, 360, 690, 360},
                    .outline = Black});
    const int panel =
        m_controls.add({.name = QStringLiteral("Picture4"), .twips = {p, QSize(525, 550)}, .fill = face});
    const auto bar = [&](const char *name, QRect place, ColourValue colour) {
        return m_controls.add({.name = QString::fromLatin1(name),
                               .twips = place.translated(p),
                               .exactTop = float(p.y() + place.y()),
                               .fill = colour,
                               .clipTo = panel});
    };
    m_bars = {bar("Shape1", {0, -480, 390, 480}, rgbValue(0, 0, 192)),
              bar("Shape2", {0, 0, 390, 480}, Background), bar("Shape4", {380, -480, 90, 480}, White),
              bar("Shape5", {380, 0, 90, 480}, rgbValue(255, 0, 255))};
    // The half-way mark, over the bars.
    m_controls.add({.name = QStringLiteral("Line3"),
                    .shape = FaceShape::Line,
                    .segment = {QPoint(-60, 240) + p, QPoint(600, 240) + p},
                    .outline = Black,
                    .clipTo = panel});
    // A circle 105 twips across, centred in its 105 x 195 box.
    m_led = m_controls.add({.name = QStringLiteral("Shape3"),
                            .twips = {660, 165, 105, 105},
                            .shape = FaceShape::Ellipse,
                            .fill = White,
                            .outline = Black,
                            .visible = false});
    // The markers: text holders nobody sees, whose changes drive the steps.
    m_secondsMarker =
        m_controls.add({.name = QStringLiteral("Label1"), .twips = {630, 480, 180, 150}, .visible = false});
    m_minuteMarker =
        m_controls.add({.name = QStringLiteral("Label2"), .twips = {645, 630, 165, 135}, .visible = false});
}

void JolvexFace::open(TimeSource &time)
{
    m_controls[m_led].fill = LedBlue;
    control(SecondsUpper).fill = SecondsUpperColour;
    control(SecondsLower).fill = White;
    const float minutes = float(time.timeText().mid(3, 2).toInt());
    moveBy(NextHour, PlaceRate * minutes);
    moveBy(CurrentHour, PlaceRate * minutes);
    const float seconds = float(time.timeText().mid(6, 2).toInt());
    moveBy(SecondsUpper, PlaceRate * seconds);
    moveBy(SecondsLower, PlaceRate * seconds);
}

void JolvexFace::reopen(TimeSource &time)
{
    // Where the constructor puts them: each hour and seconds pair, one above the other.
    setTop(NextHour, -Column);
    setTop(CurrentHour, 0);
    setTop(SecondsUpper, -Column);
    setTop(SecondsLower, 0);
    m_controls[m_secondsMarker].text.clear();
    m_controls[m_minuteMarker].text.clear();
    open(time);
}

void JolvexFace::setMarker(int marker, const QString &text)
{
    // A change notification: the same text again runs nothing.
    if (m_controls[marker].text == text)
        return;
    m_controls[marker].text = text;
    if (marker == m_secondsMarker)
        secondsStep();
    else
        minuteStep();
}

void JolvexFace::secondsStep()
{
    if (m_ledChecked) {
        m_controls[m_led].fill = led() == LedGreen ? LedRed : LedGreen;
        return;
    }
    moveBy(SecondsUpper, Step);
    moveBy(SecondsLower, Step);
}

void JolvexFace::minuteStep()
{
    moveBy(NextHour, Step);
    moveBy(CurrentHour, Step);
}

void JolvexFace::tick(TimeSource &time)
{
    int hour = time.timeText().left(2).toInt();
    if (hour > 11)
        hour -= 12;
    setMarker(m_secondsMarker, time.timeText().mid(6, 2));
    setMarker(m_minuteMarker, time.timeText().mid(4, 1));

    // At the turn of the minute the seconds bar starts again, wherever it has got to.
    for (const Bar bar : {SecondsUpper, SecondsLower})
        if (secondsMarker() == u"00" && top(bar) > ResetAbove)
            setTop(bar, -Column);
    // A piece that has left at the bottom comes back in above the panel. It keeps whether it
    // is shown: seconds switched off stay off.
    for (const Bar bar : {SecondsUpper, SecondsLower, CurrentHour, NextHour})
        if (top(bar) > Column)
            setTop(bar, -Column);

    control(CurrentHour).fill = hourColour(hour);
    control(NextHour).fill = hourColour(hour + 1 == 12 ? 0 : hour + 1);
}

void JolvexFace::showModes(bool led, bool seconds, int hourWidth)
{
    m_controls[m_led].visible = led;
    control(SecondsUpper).visible = seconds;
    control(SecondsLower).visible = seconds;
    control(NextHour).twips.setWidth(hourWidth);
    control(CurrentHour).twips.setWidth(hourWidth);
}

bool JolvexFace::choose(const QString &item)
{
    // Each sets exactly what it names; at 480 the hour bars also cover the seconds' place.
    if (item == u"bar") {
        showModes(false, true, 390);
        control(NextHour).visible = true;
        control(CurrentHour).visible = true;
        m_bar = true, m_ledChecked = false;
    } else if (item == u"led") {
        showModes(true, false, 480);
        m_ledChecked = true, m_bar = false;
    } else if (item == u"SecondsOn") {
        showModes(false, true, 390);
        m_secondsOn = true, m_secondsOff = false;
    } else if (item == u"SecondsOff") {
        showModes(false, false, 480);
        m_secondsOff = true, m_secondsOn = false;
    } else {
        return false;
    }
    return true;
}

std::optional<bool> JolvexFace::checked(const QString &item) const
{
    if (item == u"bar")
        return m_bar;
    if (item == u"led")
        return m_ledChecked;
    if (item == u"SecondsOn")
        return m_secondsOn;
    if (item == u"SecondsOff")
        return m_secondsOff;
    return std::nullopt;
}

} // namespace vrim
