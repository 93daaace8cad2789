#include "clocks/dov/DovClock.h"

namespace vrim {

DovClock::DovClock(const ClockContext &context)
    : Clock(Design::Dov, context)
    , m_dov(context.buttonFace)
{}

std::vector<FrameButton> DovClock::buttons() const
{
    return {
        {dov::control::Quit, {450, 585, 255, 135}, QStringLiteral("Quit"), QuitColour},
        {dov::control::Preferences, {1020, 570, 255, 135}, QStringLiteral("Preferences"), MenuColour},
        {dov::control::OnTop, {420, 1350, 255, 135}, QStringLiteral("onTop"), {}},
        {dov::control::Move, {1020, 1350, 255, 135}, QStringLiteral("Move"), {}},
    };
}

} // namespace vrim
