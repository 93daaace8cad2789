#include "clocks/norvi/NorviClock.h"

namespace vrim {

NorviClock::NorviClock(const ClockContext &context)
    : Clock(Design::Norvi, context)
    , m_norvi(context.buttonFace)
{}

std::vector<FrameButton> NorviClock::buttons() const
{
    return {
        {norvi::control::Preferences, {120, 3270, 195, 105}, QStringLiteral("Preferences"), MenuColour},
        {norvi::control::Seconds, {360, 3270, 195, 105}, QStringLiteral("Secs/No Secs"), SecondsColour},
        {norvi::control::Quit, {630, 3270, 195, 105}, QStringLiteral("Quit"), {}},
        {norvi::control::OnTop, {840, 3270, 195, 105}, QStringLiteral("onTop"), {}},
        {norvi::control::Move, {1080, 3270, 195, 105}, QStringLiteral("Move"), {}},
    };
}

void NorviClock::passFace()
{
    // The window's first pass comes at its load, where the bars so far are filled first.
    if (!m_loaded) {
        m_norvi.load(time());
        m_loaded = true;
    }
    m_norvi.update(time());
}

void NorviClock::afterDrag()
{
    m_norvi.afterDrag(time());
    // Red is right only while the seconds are shown; the next millisecond's pass would say.
    settleFace();
}

void NorviClock::buttonGesture(const QString &name, Gesture gesture)
{
    if (name != norvi::control::Seconds || gesture != Gesture::Down)
        return;
    m_norvi.toggleSeconds(time());
    settleFace(); // the units lamp follows at once, as a pass a millisecond later would show it
}

} // namespace vrim
