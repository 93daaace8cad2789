#include "clocks/dov/DovClock.h"

namespace vrim {

DovClock::DovClock(const ClockContext &context)
    : SkinnedClock(Design::Dov, context)
    , m_dov(context.buttonFace)
{}

std::vector<FrameButton> DovClock::buttons() const
{
    return {
        {QStringLiteral("Picture7"), {450, 585, 255, 135}, QStringLiteral("Quit"), QuitColour},
        {QStringLiteral("Picture5"), {1020, 570, 255, 135}, QStringLiteral("Preferences"), MenuColour},
        {QStringLiteral("Picture6"), {420, 1350, 255, 135}, QStringLiteral("onTop"), {}},
        {QStringLiteral("Picture4"), {1020, 1350, 255, 135}, QStringLiteral("Move"), {}},
    };
}

} // namespace vrim
