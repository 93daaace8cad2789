#pragma once

#include "clocks/Clock.h"
#include "clocks/DesignCard.h"
#include "clocks/quenz/QuenzControls.h"
#include "clocks/quenz/QuenzFace.h"

namespace vrim {

// The Quenz clock: its face, three strips along the window's edges for moving, on-top and the
// menu, and a face cleared after every drag, click or release of the move strip and reload.
class QuenzClock final : public Clock {
public:
    static constexpr ColourValue MoveColour = rgbValue(0, 0, 0);
    static constexpr ColourValue MenuColour = QuenzFace::DarkGrey;

    // Everything else that makes the design (QuenzCard.cpp).
    static DesignCard card();

    explicit QuenzClock(const ClockContext &context);

    const QuenzFace &quenzFace() const { return m_quenz; }
    const Face &face() const override { return m_quenz.controls(); }
    std::vector<FrameButton> buttons() const override;
    void buttonGesture(const QString &name, Gesture gesture) override;

protected:
    void passFace() override { m_quenz.update(time(), refresh()); }
    void resetFace() override { m_quenz.reset(); }
    // What the window's first pass starts from: the reload's ResetFace.
    void freshFace() override { m_quenz.reset(); }
    // A reload clears the face before the new skin, and again once the new chime has sounded.
    void reloading() override { m_quenz.reset(); }
    void reloaded() override { m_quenz.reset(); }

private:
    QuenzFace m_quenz;
};

} // namespace vrim
