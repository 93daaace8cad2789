#include "clocks/norvi/NorviFace.h"

#include "clocks/norvi/NorviControls.h"
#include "platform/TimeSource.h"

namespace vrim {
namespace {

// Hour lamps within the panel, by the hour they stand for ("XII" first).
const std::array<QRect, 12> HourLamps = {{
    {360, 150, 495, 135},
    {900, 360, 135, 405},
    {900, 840, 135, 405},
    {900, 1350, 135, 405},
    {900, 1860, 135, 405},
    {900, 2370, 135, 405},
    {360, 2880, 495, 135},
    {150, 2370, 135, 405},
    {150, 1860, 135, 405},
    {150, 1350, 135, 405},
    {150, 840, 135, 405},
    {150, 360, 135, 405},
}};

const std::array<const char *, 12> Numerals = {"XII", "I",   "II",   "III", "IV", "V",
                                               "VI",  "VII", "VIII", "IX",  "X",  "XI"};

constexpr QSize Cell{105, 135};
constexpr int CellStep = 150;
constexpr int SecondsLeft = 420, MinutesLeft = 690;
constexpr int TensBottom = 1110, UnitsBottom = 2670;
constexpr ColourValue Edge = rgbValue(40, 40, 40);
constexpr ColourValue Black = rgbValue(0, 0, 0);

int digit(QStringView text, int position) { return text.mid(position - 1, 1).toInt(); }

} // namespace

NorviFace::NorviFace(ColourValue face)
    : m_face(face)
{
    // Without its pictures the window and the panel are black.
    m_controls.add({.name = QStringLiteral("norvi"),
                    .twips = {0, 0, 1380, 3360},
                    .fill = Black,
                    .picture = 0,
                    .fit = PictureFit::Natural});
    const int panel = m_controls.add({.name = QStringLiteral("BackPict"),
                                      .twips = Panel,
                                      .fill = Black,
                                      .picture = 1,
                                      .fit = PictureFit::Natural});
    const auto lamp = [&](const QString &name, QRect place, const QString &tip = {}) {
        return m_controls.add({.name = name,
                               .twips = place.translated(Panel.topLeft()),
                               .fill = face,
                               .outline = Edge,
                               .tip = tip,
                               .clipTo = panel});
    };
    for (int i = 0; i < 12; ++i)
        m_hours[size_t(i)] = lamp(QStringLiteral("Picture5(%1)").arg(i), HourLamps[size_t(i)],
                                  QString::fromLatin1(Numerals[size_t(i)]));
    for (int k = 0; k < 6; ++k) {
        m_secTens[size_t(k)] = lamp(QStringLiteral("Picture2(%1)").arg(k),
                                    QRect(QPoint(SecondsLeft, TensBottom - CellStep * k), Cell));
        m_minTens[size_t(k)] = lamp(QStringLiteral("Picture4(%1)").arg(k),
                                    QRect(QPoint(MinutesLeft, TensBottom - CellStep * k), Cell));
    }
    for (int k = 0; k < 10; ++k)
        m_secUnits[size_t(k)] = lamp(QStringLiteral("Picture1(%1)").arg(k),
                                     QRect(QPoint(SecondsLeft, UnitsBottom - CellStep * k), Cell));
    // The minutes units have no lamp for 0: its cell is hidden, and the indicator takes its place.
    m_minUnits[0] = lamp(QStringLiteral("Picture3(0)"), QRect(QPoint(930, 2850), Cell));
    m_controls[m_minUnits[0]].visible = false;
    for (int k = 1; k < 10; ++k)
        m_minUnits[size_t(k)] = lamp(QStringLiteral("Picture3(%1)").arg(k),
                                     QRect(QPoint(MinutesLeft, UnitsBottom - CellStep * k), Cell));
    m_indicator = lamp(norvi::control::Indicator, QRect(QPoint(MinutesLeft, UnitsBottom), Cell));
}

int NorviFace::controlOf(const QString &name) const
{
    for (int i = 0; i < m_controls.size(); ++i)
        if (m_controls[i].name == name)
            return i;
    return -1;
}

void NorviFace::load(TimeSource &time)
{
    m_secColour = Red;
    paintSoFar(time);
    // Whether the window was opened in the afternoon; 12 o'clock is not yet afternoon.
    m_afternoon = time.timeText().left(2).toInt() > 12;
    paint(m_indicator, m_afternoon ? Afternoon : Morning);
}

void NorviFace::reopen(TimeSource &time)
{
    // Everything unlit, as the window opens, but for what stays from its opening on purpose:
    // the afternoon indicator, and the seconds shown or not as the user chose.
    NorviFace fresh(m_face);
    fresh.m_secColour = m_secColour;
    fresh.m_afternoon = m_afternoon;
    fresh.paint(fresh.m_indicator, fillOf(m_indicator));
    *this = std::move(fresh);
    paintSoFar(time);
}

void NorviFace::paintSoFar(TimeSource &time)
{
    paintRange(m_minTens, 0, digit(time.timeText(), 4) - 1, Blue);
    paintRange(m_minUnits, 1, digit(time.timeText(), 5) - 1, Blue);
    paintRange(m_secTens, 0, digit(time.timeText(), 7) - 1, m_secColour);
}

void NorviFace::update(TimeSource &time)
{
    const int hour = time.timeText().left(2).toInt();
    const int h = hour > 12 ? hour - 12 : hour;
    paint(m_hours[size_t(h % 12)], Green);
    // Every new hour clears the one before it; midnight clears "XI" as noon does.
    paint(m_hours[size_t(h == 0 ? 11 : h - 1)], m_face);

    const int minTens = digit(time.timeText(), 4);
    if (minTens > 0)
        paint(m_minTens[size_t(minTens - 1)], Blue);
    else
        paintRange(m_minTens, 0, 5, m_face);

    const int minUnits = digit(time.timeText(), 5);
    paint(m_minUnits[size_t(minUnits)], Blue);
    if (minUnits == 0)
        paintRange(m_minUnits, 1, 9, m_face);

    const int secTens = digit(time.timeText(), 7);
    if (secTens > 0)
        paint(m_secTens[size_t(secTens - 1)], m_secColour);
    else
        paintRange(m_secTens, 0, 5, m_face);

    // One units lamp is lit. The rules clear only the lamp of the second before, which a pass
    // a millisecond apart always saw; with a pass a second, one late pass would leave a stale
    // lamp lit for ten seconds, so every other lamp is cleared.
    const int secUnits = time.timeText().right(1).toInt();
    for (int k = 0; k < 10; ++k)
        paint(m_secUnits[size_t(k)], k == secUnits ? m_secColour : m_face);
}

void NorviFace::afterDrag(TimeSource &time)
{
    const int secUnits = time.timeText().right(1).toInt();
    for (int k = 0; k < 10; ++k)
        paint(m_secUnits[size_t(k)], k == secUnits ? Red : m_face);
}

void NorviFace::toggleSeconds(TimeSource &time)
{
    if (m_secColour == Red) {
        m_secColour = m_face; // lit lamps keep their colour until a pass repaints them
        return;
    }
    m_secColour = Red;
    paintRange(m_secTens, 0, digit(time.timeText(), 7) - 1, Red);
}

} // namespace vrim
