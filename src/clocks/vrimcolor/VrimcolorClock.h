#pragma once

#include "clocks/Clock.h"
#include "clocks/DesignCard.h"
#include "clocks/vrimcolor/VrimcolorControls.h"
#include "clocks/vrimcolor/VrimcolorFace.h"

namespace vrim {

// The Vrimcolor clock: its bars and hour figure, a move button that is also the morning and
// afternoon lamp, two small push buttons for the menu and quitting, and a reload after every
// drag (the frame raises the clock's own refresh signal).
class VrimcolorClock final : public Clock {
public:
    static constexpr ColourValue MoveColour = rgbValue(192, 255, 192); // until the first pass

    // Everything else that makes the design (VrimcolorCard.cpp).
    static DesignCard card();

    explicit VrimcolorClock(const ClockContext &context);

    const VrimcolorFace &vrimcolorFace() const { return m_vrim; }
    const Face &face() const override { return m_vrim.controls(); }
    std::vector<FrameButton> buttons() const override;

protected:
    void passFace() override;

private:
    VrimcolorFace m_vrim;
    bool m_loaded = false;
};

} // namespace vrim
