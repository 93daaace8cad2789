#include "clocks/norvi/NorviClock.h"

#include "clocks/DesignCard.h"

namespace vrim {

// Everything that makes Norvi what it is beyond its face and its clock.
DesignCard NorviClock::card()
{
    using Step = FrameStep;
    using After = FrameAfter;
    using T = ControlTrigger;
    using namespace frame;
    DesignCard card{.design = Design::Norvi, .name = QStringLiteral("Norvi")};
    card.frame = {.design = Design::Norvi,
                  .window = window::Norvi,
                  .twips = {10125, 270, 1380, 3360},
                  .moveHandle = norvi::control::Move,
                  .onTopButton = norvi::control::OnTop,
                  .menuButton = norvi::control::Preferences,
                  .quitControl = norvi::control::Quit,
                  .onTopOn = LightGreen,
                  .onTopOff = Red,
                  .menuTrigger = {T::Click},
                  .quitTrigger = T{T::Down},
                  .quitSteps = {Step::ClosePlayer, Step::Unload, Step::ShowLauncher},
                  .closeShowsLauncher = true,
                  .paintedAtLoad = {{norvi::control::Move, LightGreen}, {norvi::control::Quit, Red}},
                  .afterDrag = After::DesignStep,
                  .helpKey = QStringLiteral("norvi"),
                  .skinManager = QStringLiteral("norviprefs"),
                  .menuName = QStringLiteral("NorviPreferences"),
                  .menu = {item("Helpmnu", "Help"), item("SkinManager", "Skin Manager"),
                           sound("Sounds", "Sounds"), Separator, item("About", "About"),
                           item("QuitNorvi", "Quit")},
                  .helpItem = QStringLiteral("Helpmnu"),
                  .skinItem = QStringLiteral("SkinManager"),
                  .aboutItem = QStringLiteral("About"),
                  .quitItem = QStringLiteral("QuitNorvi")};
    card.chime = {.playWord = QStringLiteral("play")};
    card.files = DesignFiles{u"norvipref.prf", u"norvispref.prf", u"\\Skins\\norvi\\butnrock-3d.jpg",
                             u"\\Skins\\norvi\\plum.jpg", u"\\Sounds\\bzz.wav"};
    card.skinManager = SkinManagerDesign{.window = card.frame.skinManager,
                                         .design = Design::Norvi,
                                         .caption = QStringLiteral("norvi Skin Manager"),
                                         .pictureFilters = skinmanager::PictureFilters +
                                                           QStringLiteral("|bitmap Files (*.bmp)|*.bmp"),
                                         .twoPictures = true};
    card.launcher = launcher::clockBar(550, rgbValue(128, 128, 255), "norvi");
    card.withoutPicture = {
        QT_TRANSLATE_NOOP(
            "vrim::ClockWindow",
            "It shows black around its panel until another frame picture is chosen in its Skin Manager."),
        QT_TRANSLATE_NOOP("vrim::ClockWindow", "Its panel shows black behind the lamps until another centre "
                                               "picture is chosen in its Skin Manager.")};
    card.keepsPictureOnEmptyPath = true;
    card.make = [](const ClockContext &context) { return std::make_unique<NorviClock>(context); };
    return card;
}

} // namespace vrim
