#include "clocks/vrimcolor/VrimcolorFace.h"

#include "platform/TimeSource.h"

namespace vrim {
namespace {

enum LineIndex { L13, L14, L15, L16 };

// Where each group puts Line13, Line14, Line15 and Line16 in the hour square.
const std::array<std::array<QLine, 4>, 4> Placement = {{
    // A: 9, 10, 11, 21, 22, 23
    {{{720, 0, 720, 390}, {0, 720, 360, 720}, {360, 0, 360, 330}, {0, 390, 300, 390}}},
    // B: 6, 7, 8, 18, 19, 20
    {{{720, 390, 720, 780}, {0, 30, 360, 30}, {360, 450, 360, 780}, {0, 390, 300, 390}}},
    // C: 3, 4, 5, 15, 16, 17
    {{{30, 390, 30, 780}, {420, 30, 780, 30}, {360, 450, 360, 780}, {450, 390, 780, 390}}},
    // D: 0, 1, 2, 12, 13, 14
    {{{30, 0, 30, 390}, {360, 720, 780, 720}, {360, 0, 360, 330}, {450, 390, 780, 390}}},
}};

// The hour's mark by its place in its group of three: the line drawn thick and red, and the
// line the hour before marked (none for the group's first hour).
struct Mark {
    int marked;
    int before;
};
constexpr std::array<Mark, 3> LeftMarks = {{{L13, -1}, {L15, L13}, {L16, L15}}};  // D and B
constexpr std::array<Mark, 3> RightMarks = {{{L14, -1}, {L16, L14}, {L15, L16}}}; // C and A

constexpr int Edge = 15; // a bar's border, one pixel

int number(QStringView text, int position, int length) { return text.mid(position - 1, length).toInt(); }

} // namespace

VrimcolorFace::Group VrimcolorFace::groupOf(int hour)
{
    static constexpr std::array<Group, 4> byQuarter = {Group::D, Group::C, Group::B, Group::A};
    return byQuarter[size_t((hour % 12) / 3)];
}

VrimcolorFace::VrimcolorFace(ColourValue face)
{
    // The skin at its own size from the corner; without one, the button face.
    m_controls.add({.name = QStringLiteral("vrimcolor"),
                    .twips = {0, 0, 1755, 1755},
                    .fill = face,
                    .picture = 0,
                    .fit = PictureFit::Natural});
    const int square = m_controls.add({.name = QStringLiteral("Picture2"),
                                       .twips = HourSquare,
                                       .fill = White,
                                       .tip = QStringLiteral("Hours")});
    const std::array<QLine, 4> &design = Placement[size_t(Group::D)];
    for (int k = 0; k < 4; ++k)
        m_lines[size_t(k)] = m_controls.add({.name = QStringLiteral("Line%1").arg(13 + k),
                                             .shape = FaceShape::Line,
                                             .segment = design[size_t(k)].translated(HourSquare.topLeft()),
                                             .outline = Black,
                                             .clipTo = square});
    const std::array<QString, 3> tips = {QStringLiteral("Minutes"), QStringLiteral("minutes"),
                                         QStringLiteral("Seconds")};
    for (int b = 0; b < 3; ++b) {
        m_bars[size_t(b)] = m_controls.add({.name = QStringLiteral("ProgressBar%1").arg(b + 1),
                                            .twips = BarPlace[size_t(b)],
                                            .fill = face,
                                            .outline = Trough,
                                            .tip = tips[size_t(b)]});
        m_fills[size_t(b)] = m_controls.add({.name = QStringLiteral("ProgressBar%1.fill").arg(b + 1),
                                             .fill = Filled,
                                             .visible = false,
                                             .tip = tips[size_t(b)],
                                             .clipTo = m_bars[size_t(b)]});
    }
}

void VrimcolorFace::setBar(Bar bar, int value)
{
    m_values[size_t(bar)] = value;
    const QRect inner = BarPlace[size_t(bar)].adjusted(Edge, Edge, -Edge, -Edge);
    const int max = BarMaximum[size_t(bar)];
    FaceControl &fill = m_controls[m_fills[size_t(bar)]];
    fill.visible = value > 0;
    if (bar == Seconds) {
        fill.twips = QRect(inner.left(), inner.top(), inner.width() * value / max, inner.height());
    } else {
        const int height = inner.height() * value / max;
        fill.twips = QRect(inner.left(), inner.bottom() + 1 - height, inner.width(), height);
    }
}

void VrimcolorFace::build(int hour)
{
    const std::array<QLine, 4> &placement = Placement[size_t(groupOf(hour))];
    for (int k = 0; k < 4; ++k) {
        FaceControl &control = m_controls[line(k)];
        control.lineWidth = 1;
        control.outline = Black;
        control.segment = placement[size_t(k)].translated(HourSquare.topLeft());
    }
    m_builtFor = hour;
}

void VrimcolorFace::mark(int hour)
{
    const Group group = groupOf(hour);
    const auto &marks = (group == Group::D || group == Group::B) ? LeftMarks : RightMarks;
    const Mark &m = marks[size_t(hour % 3)];
    if (m.before >= 0) {
        m_controls[line(m.before)].lineWidth = 1;
        m_controls[line(m.before)].outline = Black;
    }
    m_controls[line(m.marked)].lineWidth = 2;
    m_controls[line(m.marked)].outline = Red;
}

void VrimcolorFace::load(TimeSource &time)
{
    const int hour = number(time.timeText(), 1, 2);
    setLamp(hour);
    build(hour);
    mark(hour);
}

void VrimcolorFace::update(TimeSource &time)
{
    setBar(MinuteTens, number(time.timeText(), 4, 1));
    setBar(MinuteUnits, number(time.timeText(), 5, 1));
    const int seconds = number(time.timeText(), 7, 2);
    setBar(Seconds, seconds);

    const int hour = number(time.timeText(), 1, 2);
    setLamp(hour);
    // The rules rebuild the figure in the first five seconds of every minute, which a pass a
    // millisecond apart never missed. Passes a second apart can (the system clock set across
    // an hour), and then the new hour's mark would land on the old group's placement beside the
    // old mark; so a changed hour rebuilds as well.
    if (seconds < 5 || hour != m_builtFor)
        build(hour);
    mark(hour);
}

} // namespace vrim
