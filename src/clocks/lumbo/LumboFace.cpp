#include "clocks/lumbo/LumboFace.h"

#include <QStringList>

namespace vrim {
namespace {

// Places in twips within the window; `Frame1` starts 60 twips in, its panels 120 twips into it.
constexpr QRect WindowPlace{0, 0, 9000, 975};
constexpr QRect FramePlace{60, 0, 8895, 855};
constexpr int PanelLeft = 60 + 120, PanelStep = 720, PanelTop = 120;
constexpr ColourValue PanelEdge = rgbValue(128, 128, 128);

ColourValue shown(qint32 stored) { return ColourValue(quint32(stored) & 0xFFFFFFu); }

} // namespace

LumboFace::LumboFace(ColourValue face)
    : m_off(face)
{
    m_window = m_controls.add({.name = QStringLiteral("lumbo"), .twips = WindowPlace, .fill = 0});
    m_frame = m_controls.add({.name = QStringLiteral("Frame1"), .twips = FramePlace, .fill = 0});
    // A thin strip with no role of its own; the panels cover most of it.
    m_controls.add({.name = QStringLiteral("Label3"),
                    .twips = {FramePlace.left(), 480, 735, 15},
                    .fill = face,
                    .clipTo = m_frame});
    const FaceText hourFont{.family = QStringLiteral("System"), .points = 9.75, .bold = true};
    for (int i = 0; i < 12; ++i) {
        const int left = PanelLeft + PanelStep * i;
        m_panels[size_t(i)] = m_controls.add({.name = QStringLiteral("Picture1(%1)").arg(i),
                                              .twips = {left, PanelTop, 735, 495},
                                              .fill = face,
                                              .outline = PanelEdge,
                                              .clipTo = m_frame});
        m_hours[size_t(i)] = m_controls.add({.name = QStringLiteral("Command1(%1)").arg(i + 1),
                                             .twips = {left, PanelTop, 495, 255},
                                             .fill = face,
                                             .outline = PanelEdge,
                                             .text = QString::number(i + 1),
                                             .font = hourFont,
                                             .clipTo = m_panels[size_t(i)]});
        m_squares[size_t(i)] = m_controls.add({.name = QStringLiteral("Picture2(%1)").arg(i),
                                               .twips = {left + 480, PanelTop, 255, 255},
                                               .fill = face,
                                               .clipTo = m_panels[size_t(i)]});
    }
}

void LumboFace::setLook(qint32 inner, qint32 outer, bool border)
{
    m_controls[m_frame].fill = shown(inner);
    m_controls[m_window].fill = shown(outer);
    m_controls[m_frame].outline = border ? std::optional<ColourValue>(BorderInk) : std::nullopt;
}

void LumboFace::show(const QString &time)
{
    int hour = time.mid(0, 2).toInt();
    const bool afternoon = hour > 12;
    if (afternoon)
        hour -= 12;
    if (hour == 0)
        hour = 12;
    const int tens = time.mid(3, 1).toInt();
    const int units = time.mid(4, 1).toInt();

    for (int k = 1; k <= 12; ++k)
        m_controls[hourButton(k)].fill = k == hour ? HourOn : m_off;
    for (int i = 0; i < 5; ++i)
        m_controls[square(i)].fill = i == tens - 1 ? TensOn : m_off;
    for (int i = 0; i < 9; ++i)
        m_controls[panel(i)].fill = i == units - 1 ? UnitsOn : m_off;
    m_controls[square(Morning)].fill = afternoon ? m_off : HalfDayOn;
    m_controls[square(Afternoon)].fill = afternoon ? HalfDayOn : m_off;
}

} // namespace vrim
