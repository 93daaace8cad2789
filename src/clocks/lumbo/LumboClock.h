#pragma once

#include "clocks/Clock.h"
#include "clocks/DesignCard.h"
#include "clocks/lumbo/LumboControls.h"
#include "clocks/lumbo/LumboFace.h"
#include "clocks/lumbo/LumboPrefsModel.h"

namespace vrim {

// The Lumbo clock: its strip of panels, four small buttons and no menu. It keeps lumbi.prf
// instead of a skin and a sound file: the colours and border of its bar and of itself, and a
// sound switch that chimes Sounds/bzz.wav on the hour. Its preferences dialog changes the
// running clock directly.
class LumboClock final : public Clock, public LumboLook {
public:
    static constexpr ColourValue QuitColour = rgbValue(255, 0, 0);
    static constexpr ColourValue PrefColour = rgbValue(255, 128, 0);
    static constexpr ColourValue PaleGreen = rgbValue(128, 255, 128); // Move and On Top before load

    // Everything else that makes the design (LumboCard.cpp).
    static DesignCard card();

    explicit LumboClock(const ClockContext &context);

    const LumboFace &lumboFace() const { return m_lumbo; }
    const Face &face() const override { return m_lumbo.controls(); }
    std::vector<FrameButton> buttons() const override;
    // What the clock shows and keeps: its colours and border, and the switch it read at opening.
    const LumboSettings &settings() const { return m_settings; }
    void showLook(const LumboSettings &look) override;

protected:
    void passFace() override;
    void loadOwn() override;
    void passStarts() override;

private:
    DataFolders m_folders;
    LumboFace m_lumbo;
    LumboSettings m_settings;
    QString m_chimeSound;
};

} // namespace vrim
