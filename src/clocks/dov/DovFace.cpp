#include "clocks/dov/DovFace.h"

#include "platform/TimeSource.h"

namespace vrim {
namespace {

struct BarLayout {
    QRect bar;     // twips in the window
    QPoint marker; // twips in the bar
    QSize markerSize;
};

constexpr QSize Upright{165, 105};
constexpr QSize Flat{105, 165};

const std::array<BarLayout, 12> Layout = {{
    {{1110, -120, 195, 525}, {0, 360}, Upright},
    {{1410, 540, 345, 195}, {0, 0}, Flat},
    {{1410, 900, 375, 195}, {0, 0}, Flat},
    {{1410, 1290, 375, 195}, {0, 0}, Flat},
    {{1110, 1620, 195, 525}, {-30, 0}, Upright},
    {{750, 1620, 195, 495}, {-30, 0}, Upright},
    {{390, 1620, 195, 495}, {0, 0}, Upright},
    {{-200, 1290, 465, 195}, {320, 0}, Flat},
    {{-100, 930, 375, 195}, {230, 0}, Flat},
    {{-340, 570, 615, 195}, {460, 0}, Flat},
    {{390, -120, 195, 525}, {0, 360}, Upright},
    {{750, -120, 195, 525}, {0, 360}, Upright},
}};

constexpr ColourValue Black = rgbValue(0, 0, 0);
constexpr ColourValue Edge = rgbValue(40, 40, 40);

int digit(QStringView text, int position) { return text.mid(position - 1, 1).toInt(); }

} // namespace

DovFace::DovFace(ColourValue face)
    : m_face(face)
{
    m_controls.add({.name = QStringLiteral("Frame1"), .twips = {0, 0, 1665, 2055}, .fill = Black});
    m_controls.add({.name = QStringLiteral("Image3"), .twips = {0, 0, 1650, 1995}, .picture = 0});
    std::array<QRect, 12> bars, markers;
    for (size_t i = 0; i < 12; ++i) {
        bars[i] = Layout[i].bar;
        markers[i] = QRect(Layout[i].bar.topLeft() + Layout[i].marker, Layout[i].markerSize);
    }
    const HourRing ring = addHourRing(m_controls, bars, markers, face, face, Edge);
    m_bars = ring.bars;
    m_markers = ring.markers;
    m_controls.add({.name = QStringLiteral("Picture3"),
                    .twips = {600, 780, 495, 495},
                    .fill = face,
                    .outline = Edge,
                    .tip = QStringLiteral("Minutes")});
    m_minutes = m_controls.add(
        {.name = QStringLiteral("Label1"),
         .twips = {630, 840, 375, 375},
         .fill = rgbValue(192, 192, 192),
         .font = FaceText{QStringLiteral("Courier New"), 15.75, true, rgbValue(224, 224, 224)}});
}

DovMarker DovFace::marker(int i) const
{
    const FaceControl &control = m_controls[m_markers[size_t(i)]];
    return {*control.fill, control.visible, control.outline.has_value()};
}

void DovFace::reset(TimeSource &time)
{
    for (int i = 0; i < 12; ++i) {
        paintBar(i, m_face);
        paintMarker(i, m_face);
        markerControl(i).outline.reset();
    }
    m_lastHour = -1;
    update(time);
}

void DovFace::update(TimeSource &time)
{
    // The current hour's colour seeps into its marker, unless the marker is the seconds one.
    for (int i = 0; i < 12; ++i)
        if (bar(i) == Lit && marker(i).colour != Second)
            paintMarker(i, Lit);

    int hour12 = time.timeText().left(2).toInt();
    if (hour12 > 12) {
        hour12 -= 12;
        paintBar(11, Dim);
        if (marker(11).colour != Second)
            paintMarker(11, Dim);
    } else {
        paintBar(10, Dim);
    }

    if (hour12 != m_lastHour) {
        if (hour12 == 0 && bar(11) != Lit) {
            paintBar(10, m_face);
            paintBar(11, Lit);
        } else if (hour12 == 1 && bar(0) != Lit) {
            paintBar(11, m_face);
            paintBar(0, Lit);
        } else if (hour12 > 1 && bar(hour12 - 1) != Lit) {
            paintBar(hour12 - 2, m_face);
            paintBar(hour12 - 1, Lit);
        }
        if (hour12 == 12 && bar(9) != m_face)
            paintBar(11, m_face);
    }
    m_lastHour = qint16(hour12);

    // Each figure from a reading of its own, as the face always has.
    m_minUnits = digit(time.timeText(), 5);
    m_controls[m_minutes].text = time.timeText().mid(3, 2);
    const int seconds = time.timeText().mid(6, 2).toInt();

    if (seconds % 5 == 0 && seconds < 60) {
        const int j = seconds / 5;
        FaceControl &lit = markerControl(j);
        lit.visible = true;
        lit.outline = Black;
        lit.fill = Second;
        markerControl(j == 0 ? 11 : j - 1).visible = false;
    }
}

} // namespace vrim
