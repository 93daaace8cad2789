#pragma once

#include "clocks/Clock.h"
#include "clocks/DesignCard.h"
#include "clocks/dov/DovControls.h"
#include "clocks/dov/DovFace.h"

namespace vrim {

// The Dov clock: its face, its four frame buttons, and a ResetFace after every drag, on-top
// toggle and reload.
class DovClock final : public Clock {
public:
    static constexpr ColourValue QuitColour = rgbValue(255, 0, 0);
    static constexpr ColourValue MenuColour = rgbValue(255, 192, 128);

    // Everything else that makes the design (DovCard.cpp).
    static DesignCard card();

    explicit DovClock(const ClockContext &context);

    const DovFace &dovFace() const { return m_dov; }
    const Face &face() const override { return m_dov.controls(); }
    std::vector<FrameButton> buttons() const override;

protected:
    void passFace() override { m_dov.update(time()); }
    void resetFace() override { m_dov.reset(time()); }
    // Not ResetFace: that leaves hidden markers hidden, so a second marker could show twice.
    void freshFace() override { m_dov = DovFace(m_dov.faceColour()); }
    void reloading() override { resetSettled(); }
    void reloaded() override { resetSettled(); }
    // Dov tests "5 min" on the units digit its face read in the same pass.
    std::optional<int> chimeUnits() const override { return m_dov.minuteUnits(); }

private:
    DovFace m_dov;
};

} // namespace vrim
