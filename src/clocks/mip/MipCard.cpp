#include "clocks/mip/MipClock.h"

#include "clocks/DesignCard.h"

namespace vrim {

// Everything that makes Mip what it is beyond its face and its clock.
DesignCard MipClock::card()
{
    using Step = FrameStep;
    using T = ControlTrigger;
    using namespace frame;
    DesignCard card{.design = Design::Mip, .name = QStringLiteral("Mip")};
    card.frame = {.design = Design::Mip,
                  .window = window::Mip,
                  .twips = {10245, 390, 1005, 2280},
                  .moveHandle = mip::control::Move,
                  .onTopButton = mip::control::OnTop,
                  .menuButton = mip::control::Move,
                  .quitControl = mip::control::Exit,
                  .onTopOn = LightGreen,
                  .onTopOff = Red,
                  .menuTrigger = {T::DoubleClick},
                  .quitTrigger = T{T::Click},
                  .quitSteps = {Step::ShowLauncher, Step::ClosePlayer, Step::Unload},
                  .closeShowsLauncher = true,
                  .helpKey = QStringLiteral("Mip"),
                  .skinManager = QStringLiteral("MipPreferences"),
                  .menuName = QStringLiteral("MipPrefs"),
                  .menu = {item("Helpmnu", "Help"), item("SkinManager", "Skin Manager"),
                           sound("Sound", "Sound", "On", "Off"), Separator, item("About", "About"),
                           item("QuitMip", "Quit")},
                  .helpItem = QStringLiteral("Helpmnu"),
                  .skinItem = QStringLiteral("SkinManager"),
                  .aboutItem = QStringLiteral("About"),
                  .quitItem = QStringLiteral("QuitMip")};
    card.files = DesignFiles{u"Mipcprefs.prf", u"Mipcsprefs.prf", u"\\Skins\\Mip\\ruca.jpg", nullptr,
                             u"\\Sounds\\niaa.wav"};
    card.skinManager = SkinManagerDesign{.window = card.frame.skinManager,
                                         .design = Design::Mip,
                                         .caption = QStringLiteral("Mip Skin Manager")};
    card.launcher = launcher::clockBar(2390, rgbValue(0, 64, 64), "Mip");
    card.launcher.ink = LabelInk::Custom;
    card.launcher.inkColour = rgbValue(255, 224, 192);
    card.withoutPicture = {QT_TRANSLATE_NOOP(
        "vrim::ClockWindow",
        "It shows its buttons on a plain grey face until another picture is chosen in its Skin Manager.")};
    card.make = [](const ClockContext &context) { return std::make_unique<MipClock>(context); };
    return card;
}

} // namespace vrim
