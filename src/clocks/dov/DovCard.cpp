#include "clocks/dov/DovClock.h"

#include "clocks/DesignCard.h"

namespace vrim {

// Everything that makes Dov what it is beyond its face and its clock.
DesignCard DovClock::card()
{
    using Step = FrameStep;
    using After = FrameAfter;
    using T = ControlTrigger;
    using namespace frame;
    DesignCard card{.design = Design::Dov, .name = QStringLiteral("Dov")};
    card.frame = {.design = Design::Dov,
                  .window = window::Dov,
                  .twips = {9870, 6360, 1650, 1995},
                  .moveHandle = dov::control::Move,
                  .onTopButton = dov::control::OnTop,
                  .menuButton = dov::control::Preferences,
                  .quitControl = dov::control::Quit,
                  .onTopOn = LightGreen,
                  .onTopOff = Red,
                  .menuTrigger = {T::LeftDown},
                  .quitTrigger = T{T::Click},
                  .quitSteps = {Step::ShowLauncher, Step::Unload},
                  .paintedAtLoad = {{dov::control::Move, LightGreen}},
                  .afterDrag = After::ResetFace,
                  .afterToggle = After::ResetFace,
                  .helpKey = QStringLiteral("dov"),
                  .skinManager = QStringLiteral("dovprefs"),
                  .menuName = QStringLiteral("preferences"),
                  .menu = {item("Helpmnu", "Help"), item("SkinMgr", "Skin Manager"), sound("Sound", "Sound"),
                           Separator, item("About", "About"), item("Quit", "Quit")},
                  .helpItem = QStringLiteral("Helpmnu"),
                  .skinItem = QStringLiteral("SkinMgr"),
                  .aboutItem = QStringLiteral("About"),
                  .quitItem = QStringLiteral("Quit")};
    card.chime = {.needsSecondZero = false,
                  .prepareWithoutChime = true,
                  .openAtLoad = true,
                  .reloadChecksSoundOn = true};
    card.files = DesignFiles{u"Dovpref.prf", u"Dovspref.prf", u"\\Skins\\Vrim\\blui-3d.jpg", nullptr,
                             u"\\Sounds\\bzz.wav"};
    card.skinManager = SkinManagerDesign{.window = card.frame.skinManager,
                                         .design = Design::Dov,
                                         .caption = QStringLiteral("Dov Skin Manager")};
    card.launcher = launcher::clockBar(1470, rgbValue(255, 128, 255), "Dov");
    card.withoutPicture = {QT_TRANSLATE_NOOP(
        "vrim::ClockWindow", "It shows a black face until another picture is chosen in its Skin Manager.")};
    card.make = [](const ClockContext &context) { return std::make_unique<DovClock>(context); };
    return card;
}

} // namespace vrim
