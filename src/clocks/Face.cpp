#include "clocks/Face.h"

#include <algorithm>

namespace vrim {

std::vector<int> Face::changed(const Face &before, const Face &after)
{
    std::vector<int> controls;
    const int count = std::min(before.size(), after.size());
    for (int i = 0; i < count; ++i)
        if (!(before[i] == after[i]))
            controls.push_back(i);
    return controls;
}

HourRing addHourRing(Face &face, const std::array<QRect, 12> &bars, const std::array<QRect, 12> &markers,
                     ColourValue barFill, ColourValue markerFill, ColourValue barOutline)
{
    HourRing ring;
    for (int i = 0; i < 12; ++i)
        ring.bars[size_t(i)] = face.add({.name = QStringLiteral("Picture1(%1)").arg(i),
                                         .twips = bars[size_t(i)],
                                         .fill = barFill,
                                         .outline = barOutline,
                                         .tip = QString::number(i + 1)});
    for (int i = 0; i < 12; ++i)
        ring.markers[size_t(i)] =
            face.add({.name = QStringLiteral("Picture2(%1)").arg(i),
                      .twips = markers[size_t(i)],
                      .fill = markerFill,
                      .tip = i == 11 ? QStringLiteral("0") : QString::number(5 * (i + 1)),
                      .clipTo = ring.bars[size_t(i)]});
    return ring;
}

} // namespace vrim
