#pragma once

#include "clocks/Clock.h"
#include "clocks/DesignCard.h"
#include "clocks/perrin/PerrinControls.h"

namespace vrim {

// The Perrin clock: an oval window with a picture for each hour of the day and the minutes in a
// small box that is also its on-top switch. An invisible hot spot drags it, or closes it on a
// double click. Each time the minutes change the window creeps a little towards the left edge
// of the screen, and it stays near that edge once there.
class PerrinClock final : public Clock {
public:
    static constexpr double StepTwips = 5.833;
    static constexpr double NearLeftTwips = 6;     // at or left of this, the window steps right
    static constexpr double RightKeepTwips = 2106; // ... while this much of the screen is left
    static constexpr ColourValue Background = rgbValue(192, 192, 255);

    // Everything else that makes the design (PerrinCard.cpp).
    static DesignCard card();

    explicit PerrinClock(const ClockContext &context);

    const Face &face() const override { return m_face; }
    std::vector<FrameButton> buttons() const override;
    void resized(QSize pixels, bool minimised) override;

    // The hour's picture, 1 to 24 (24 for 00:xx); 0 before the first pass.
    int hourPicture() const { return m_hourPicture; }
    // The window's left edge as the clock keeps it, in twips and fractions of a twip.
    double leftTwips() const { return m_leftTwips; }
    static QString picturePath(int hourPicture);
    // The whole pixel a left edge in twips falls on: the one place a fraction is rounded.
    static int pixelsOfTwips(double twips);

protected:
    void passFace() override;

private:
    void creep();

    WindowOps &m_ops;
    Face m_face;
    int m_hourPicture = 0;
    QString m_minutes;
    double m_leftTwips;
};

} // namespace vrim
