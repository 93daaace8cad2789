#include "clocks/quenz/QuenzClock.h"

namespace vrim {
namespace {

const QString MoveStrip = QStringLiteral("Picture5");

} // namespace

QuenzClock::QuenzClock(const ClockContext &context)
    : SkinnedClock(Design::Quenz, context)
    , m_quenz(context.buttonFace)
{}

std::vector<FrameButton> QuenzClock::buttons() const
{
    return {
        {MoveStrip, {0, 2340, 2385, 75}, QStringLiteral("Move"), MoveColour},
        {QStringLiteral("Picture6"), {2280, -30, 100, 2370}, QStringLiteral("onTop"), {}},
        {QStringLiteral("Picture7"), {0, 2160, 70, 200}, QStringLiteral("Preferences"), MenuColour},
    };
}

void QuenzClock::buttonGesture(const QString &name, Gesture gesture)
{
    // The frame drags on the button going down and resets once the drag is over; a click or a
    // release on the strip resets as well.
    if (name == MoveStrip && (gesture == Gesture::Click || gesture == Gesture::Up)) {
        resetSettled();
        Q_EMIT faceChanged();
    }
}

} // namespace vrim
