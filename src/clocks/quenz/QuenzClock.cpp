#include "clocks/quenz/QuenzClock.h"

namespace vrim {

QuenzClock::QuenzClock(const ClockContext &context)
    : Clock(Design::Quenz, context)
    , m_quenz(context.buttonFace)
{}

std::vector<FrameButton> QuenzClock::buttons() const
{
    return {
        {quenz::control::Move, {0, 2340, 2385, 75}, QStringLiteral("Move"), MoveColour},
        {quenz::control::OnTop, {2280, -30, 100, 2370}, QStringLiteral("onTop"), {}},
        {quenz::control::Preferences, {0, 2160, 70, 200}, QStringLiteral("Preferences"), MenuColour},
    };
}

void QuenzClock::buttonGesture(const QString &name, Gesture gesture)
{
    // The frame drags on the button going down and resets once the drag is over; a click or a
    // release on the strip resets as well.
    if (name == quenz::control::Move && (gesture == Gesture::Click || gesture == Gesture::Up)) {
        resetSettled();
        Q_EMIT faceChanged();
    }
}

} // namespace vrim
