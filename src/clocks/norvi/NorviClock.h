#pragma once

#include "clocks/Clock.h"
#include "clocks/DesignCard.h"
#include "clocks/norvi/NorviControls.h"
#include "clocks/norvi/NorviFace.h"

namespace vrim {

// The Norvi clock: its lamp face, five buttons along the bottom edge (one of them its own
// "Secs/No Secs"), and a repaint of the seconds units after every drag.
class NorviClock final : public Clock {
public:
    static constexpr ColourValue MenuColour = rgbValue(255, 192, 128);
    static constexpr ColourValue SecondsColour = rgbValue(255, 255, 192);

    // Everything else that makes the design (NorviCard.cpp).
    static DesignCard card();

    explicit NorviClock(const ClockContext &context);

    const NorviFace &norviFace() const { return m_norvi; }
    const Face &face() const override { return m_norvi.controls(); }
    std::vector<FrameButton> buttons() const override;
    void buttonGesture(const QString &name, Gesture gesture) override;

protected:
    void passFace() override;
    void freshFace() override { m_norvi.reopen(time()); }
    void afterDrag() override;

private:
    NorviFace m_norvi;
    bool m_loaded = false;
};

} // namespace vrim
