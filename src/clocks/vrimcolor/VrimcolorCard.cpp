#include "clocks/vrimcolor/VrimcolorClock.h"

#include "clocks/DesignCard.h"

namespace vrim {

// Everything that makes Vrimcolor what it is beyond its face and its clock.
DesignCard VrimcolorClock::card()
{
    using Step = FrameStep;
    using After = FrameAfter;
    using T = ControlTrigger;
    using namespace frame;
    DesignCard card{.design = Design::Vrimcolor, .name = QStringLiteral("Vrimcolor")};
    card.frame = {.design = Design::Vrimcolor,
                  .window = window::Vrimcolor,
                  .twips = {9870, 6855, 1755, 1755},
                  .moveHandle = vrimcolor::control::Move,
                  .onTopButton = vrimcolor::control::OnTop,
                  .menuButton = vrimcolor::control::Preferences,
                  .quitControl = vrimcolor::control::Quit,
                  .onTopOn = LightGreen,
                  .onTopOff = Red,
                  .menuTrigger = {T::Click},
                  .quitTrigger = T{T::Click},
                  .quitSteps = {Step::ClosePlayer, Step::ShowLauncher, Step::Unload},
                  .afterDrag = After::RaiseRefresh,
                  .helpKey = QStringLiteral("Vrimcolor"),
                  .skinManager = QStringLiteral("vrimprefs"),
                  .menuName = QStringLiteral("prefs"),
                  .menu = {item("Helpmnu", "Help"), item("SkinMgr", "Skin Manager"), sound("sounds", "Sound"),
                           Separator, item("About", "About"), item("Quit", "Quit")},
                  .helpItem = QStringLiteral("Helpmnu"),
                  .skinItem = QStringLiteral("SkinMgr"),
                  .aboutItem = QStringLiteral("About"),
                  .quitItem = QStringLiteral("Quit")};
    card.chime = {.closeOnReload = QStringLiteral("close"), .sampleOnReload = true};
    card.files = DesignFiles{u"vrimcpref.prf", u"vrimcspref.prf", u"\\Skins\\Quenz\\hiven-3d.jpg", nullptr,
                             u"\\Sounds\\iauu.wav"};
    card.skinManager = SkinManagerDesign{.window = card.frame.skinManager,
                                         .design = Design::Vrimcolor,
                                         .caption = QStringLiteral("Vrim Skin Manager")};
    card.launcher = launcher::clockBar(90, rgbValue(128, 255, 128), "Vrim");
    card.withoutPicture = {QT_TRANSLATE_NOOP(
        "vrim::ClockWindow",
        "It shows its plain grey face until another picture is chosen in its Skin Manager.")};
    card.make = [](const ClockContext &context) { return std::make_unique<VrimcolorClock>(context); };
    return card;
}

} // namespace vrim
