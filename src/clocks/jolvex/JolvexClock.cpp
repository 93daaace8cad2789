#include "clocks/jolvex/JolvexClock.h"

namespace vrim {

JolvexClock::JolvexClock(const ClockContext &context)
    : Clock(Design::Jolvex, context)
    , m_jolvex(context.buttonFace)
{
    connect(&frame(), &ClockFrame::otherItemChosen, this, [this](const QString &item) {
        if (m_jolvex.choose(item))
            Q_EMIT faceChanged();
        // The colour legend's items only show the code: choosing one does nothing.
    });
}

std::optional<bool> JolvexClock::itemChecked(const QString &item) const { return m_jolvex.checked(item); }

std::vector<FrameButton> JolvexClock::buttons() const
{
    return {
        {jolvex::control::OnTop, {840, 90, 255, 135}, QStringLiteral("onTop"), rgbValue(255, 0, 0)},
        {jolvex::control::Preferences, {840, 300, 255, 135}, QStringLiteral("Preferences"), MenuColour},
        {jolvex::control::Move, {840, 510, 255, 135}, QStringLiteral("Move"), MoveColour},
    };
}

void JolvexClock::passFace()
{
    // The window's first pass comes at its load, where the bars are placed for the time first.
    if (!m_opened) {
        m_jolvex.open(time());
        m_opened = true;
    }
    m_jolvex.tick(time());
}

} // namespace vrim
