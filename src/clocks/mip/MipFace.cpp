#include "clocks/mip/MipFace.h"

namespace vrim {

QString MipFace::listPicture(int slot)
{
    if (slot >= hourSlot(1) && slot <= hourSlot(12))
        return QStringLiteral(":/mip/hour-%1.png").arg(slot, 2, 10, QLatin1Char('0'));
    const int digit = slot - digitSlot(1) + 1;
    return QStringLiteral(":/mip/digit-%1.png").arg(digit == ZeroDigit ? 0 : digit);
}

MipFace::MipFace()
{
    // The skin under everything, then Command4, Command2 and Command3; no picture until the
    // first tick.
    m_controls.add({.name = QStringLiteral("Form"), .twips = {0, 0, 1005, 2280}, .picture = 0});
    for (const auto &[name, place] :
         {std::pair{"Command4", QRect(90, 60, 825, 825)}, std::pair{"Command2", QRect(90, 885, 825, 465)},
          std::pair{"Command3", QRect(90, 1350, 825, 465)}})
        m_controls.add({.name = QString::fromLatin1(name),
                        .twips = place,
                        .shape = FaceShape::PushButton,
                        .picture = -1,
                        .fit = PictureFit::Centre});
}

} // namespace vrim
