#include "clocks/vrimcolor/VrimcolorClock.h"

namespace vrim {

VrimcolorClock::VrimcolorClock(const ClockContext &context)
    : Clock(Design::Vrimcolor, context)
    , m_vrim(context.buttonFace)
{}

std::vector<FrameButton> VrimcolorClock::buttons() const
{
    return {
        {vrimcolor::control::OnTop, {300, 90, 195, 105}, QStringLiteral("onTop"), rgbValue(255, 0, 0)},
        {vrimcolor::control::Move, {300, 240, 195, 105}, QStringLiteral("Move"), MoveColour},
        {vrimcolor::control::Quit, {150, 120, 75, 195}, QStringLiteral("Quit"), {}, true},
        {vrimcolor::control::Preferences, {600, 120, 75, 195}, QStringLiteral("Preferences"), {}, true},
    };
}

void VrimcolorClock::passFace()
{
    // The window's first pass comes at its load, where the lamp and the figure are drawn first.
    if (!m_loaded) {
        m_vrim.load(time());
        m_loaded = true;
    }
    m_vrim.update(time());
    setButtonColour(vrimcolor::control::Move, m_vrim.lamp());
}

} // namespace vrim
