#pragma once

#include "clocks/Clock.h"
#include "clocks/DesignCard.h"
#include "clocks/mip/MipControls.h"
#include "clocks/mip/MipFace.h"

namespace vrim {

// The Mip clock: the hour and the minutes' digits as counting pictures, a move button that is
// also the morning and afternoon lamp and opens the menu on a double click, an Exit button under
// the two small ones. The zero of the minutes' tens is read from Helps\m0.gif once per run of
// minutes 00-09; the refresh carrier (Label1) holds "zero" meanwhile, so a reload reads it again.
class MipClock final : public Clock {
public:
    static inline const QString ZeroMarker = QStringLiteral("zero");
    // The lamp: noon counts with the morning.
    static constexpr ColourValue Morning = rgbValue(200, 255, 200);
    static constexpr ColourValue Afternoon = rgbValue(0, 255, 0);

    // Everything else that makes the design (MipCard.cpp).
    static DesignCard card();

    explicit MipClock(const ClockContext &context);

    const MipFace &mipFace() const { return m_mip; }
    const Face &face() const override { return m_mip.controls(); }
    std::vector<FrameButton> buttons() const override;

protected:
    void passFace() override;

private:
    void showHelpsZero();

    MipFace m_mip;
    bool m_listsRead = false;
    bool m_zeroReported = false;
};

} // namespace vrim
