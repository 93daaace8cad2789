#include "clocks/quenz/QuenzClock.h"

#include "clocks/DesignCard.h"

namespace vrim {

// Everything that makes Quenz what it is beyond its face and its clock.
DesignCard QuenzClock::card()
{
    using After = FrameAfter;
    using T = ControlTrigger;
    using namespace frame;
    DesignCard card{.design = Design::Quenz, .name = QStringLiteral("Quenz")};
    card.frame = {.design = Design::Quenz,
                  .window = window::Quenz,
                  .twips = {9240, 6225, 2370, 2415},
                  .moveHandle = quenz::control::Move,
                  .onTopButton = quenz::control::OnTop,
                  .menuButton = quenz::control::Preferences,
                  .onTopOn = rgbValue(64, 64, 64),
                  .onTopOff = Red,
                  .menuTrigger = {T::Down},
                  .afterDrag = After::ResetFace,
                  .helpKey = QStringLiteral("quenz"),
                  .skinManager = QStringLiteral("QuenzPref"),
                  .menuName = QStringLiteral("Quenzprefs"),
                  .menu = {item("Helpmnu", "Help"), item("SkinManager", "Skin Manager"),
                           sound("Sound", "Sound"), Separator, item("About", "About"), item("Quit", "Quit")},
                  .helpItem = QStringLiteral("Helpmnu"),
                  .skinItem = QStringLiteral("SkinManager"),
                  .aboutItem = QStringLiteral("About"),
                  .quitItem = QStringLiteral("Quit")};
    card.chime = {.reloadAtLoad = true, .closeOnReload = QStringLiteral("Close"), .sampleOnReload = true};
    card.files = DesignFiles{u"Quenzpref.prf", u"Quenzspref.prf", u"\\Skins\\Quenz\\dunga-3d.jpg", nullptr,
                             u"\\Sounds\\iauu.wav"};
    card.skinManager = SkinManagerDesign{.window = card.frame.skinManager,
                                         .design = Design::Quenz,
                                         .caption = QStringLiteral("Quenz Skin Manager")};
    card.launcher = launcher::clockBar(1930, rgbValue(192, 255, 255), "Quenz");
    card.withoutPicture = {QT_TRANSLATE_NOOP(
        "vrim::ClockWindow", "It shows a black face until another picture is chosen in its Skin Manager.")};
    card.make = [](const ClockContext &context) { return std::make_unique<QuenzClock>(context); };
    return card;
}

} // namespace vrim
