#pragma once

#include "clocks/Clock.h"
#include "clocks/DesignCard.h"
#include "clocks/jolvex/JolvexControls.h"
#include "clocks/jolvex/JolvexFace.h"

namespace vrim {

// The Jolvex clock: its sliding colour bars, three small buttons at its right edge, and the
// menu's seconds items, which choose how its face shows the seconds.
class JolvexClock final : public Clock {
public:
    static constexpr ColourValue MenuColour = rgbValue(255, 255, 192);
    static constexpr ColourValue MoveColour = rgbValue(0, 255, 0);

    // Everything else that makes the design (JolvexCard.cpp).
    static DesignCard card();

    explicit JolvexClock(const ClockContext &context);

    const JolvexFace &jolvexFace() const { return m_jolvex; }
    const Face &face() const override { return m_jolvex.controls(); }
    std::vector<FrameButton> buttons() const override;
    // A reload loads the skin only when its path is not empty: the picture shown stays.

protected:
    void passFace() override;
    void freshFace() override { m_jolvex.reopen(time()); }
    std::optional<bool> itemChecked(const QString &item) const override;

private:
    JolvexFace m_jolvex;
    bool m_opened = false;
};

} // namespace vrim
