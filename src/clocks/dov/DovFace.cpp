#include "clocks/dov/DovFace.h"

#include "platform/TimeSource.h"

namespace vrim {
namespace {

struct BarLayout {
    QRect bar;    // twips in the window
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

int digit(const QString &text, int position) { return text.mid(position - 1, 1).toInt(); }

} // namespace

DovFace::DovFace(ColourValue face)
    : m_face(face)
{
    m_bars.fill(face);
    m_markers.fill(DovMarker{face, true, false});
}

QRect DovFace::barTwips(int i) { return Layout[size_t(i)].bar; }

QRect DovFace::markerTwips(int i)
{
    const BarLayout &layout = Layout[size_t(i)];
    return QRect(layout.bar.topLeft() + layout.marker, layout.markerSize);
}

void DovFace::reset(TimeSource &time)
{
    m_bars.fill(m_face);
    for (DovMarker &marker : m_markers) {
        marker.colour = m_face;
        marker.border = false;
    }
    m_lastHour = -1;
    update(time);
}

void DovFace::update(TimeSource &time)
{
    // The current hour's colour seeps into its marker, unless the marker is the seconds one.
    for (size_t i = 0; i < 12; ++i)
        if (m_bars[i] == Lit && m_markers[i].colour != Second)
            m_markers[i].colour = Lit;

    int hour12 = time.timeText().left(2).toInt();
    if (hour12 > 12) {
        hour12 -= 12;
        m_bars[11] = Dim;
        if (m_markers[11].colour != Second)
            m_markers[11].colour = Dim;
    } else {
        m_bars[10] = Dim;
    }

    if (hour12 != m_lastHour) {
        if (hour12 == 0 && m_bars[11] != Lit) {
            m_bars[10] = m_face;
            m_bars[11] = Lit;
        } else if (hour12 == 1 && m_bars[0] != Lit) {
            m_bars[11] = m_face;
            m_bars[0] = Lit;
        } else if (hour12 > 1 && m_bars[size_t(hour12 - 1)] != Lit) {
            m_bars[size_t(hour12 - 2)] = m_face;
            m_bars[size_t(hour12 - 1)] = Lit;
        }
        if (hour12 == 12 && m_bars[9] != m_face)
            m_bars[11] = m_face;
    }
    m_lastHour = qint16(hour12);

    // Each figure from a reading of its own, as the face always has.
    m_minUnits = digit(time.timeText(), 5);
    m_minutes = time.timeText().mid(3, 2);
    const int seconds = time.timeText().mid(6, 2).toInt();

    if (seconds % 5 == 0 && seconds < 60) {
        const int j = seconds / 5;
        DovMarker &lit = m_markers[size_t(j)];
        lit.visible = true;
        lit.border = true;
        lit.colour = Second;
        m_markers[size_t(j == 0 ? 11 : j - 1)].visible = false;
    }
}

} // namespace vrim
