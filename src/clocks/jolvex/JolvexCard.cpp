#include "clocks/jolvex/JolvexClock.h"

#include "clocks/DesignCard.h"

namespace vrim {

// Everything that makes Jolvex what it is beyond its face and its clock.
DesignCard JolvexClock::card()
{
    using T = ControlTrigger;
    using namespace frame;
    DesignCard card{.design = Design::Jolvex, .name = QStringLiteral("Jolvex")};
    card.frame = {.design = Design::Jolvex,
                  .window = window::Jolvex,
                  .twips = {9360, 7095, 1170, 750},
                  .moveHandle = jolvex::control::Move,
                  .onTopButton = jolvex::control::OnTop,
                  .menuButton = jolvex::control::Preferences,
                  .onTopOn = LightGreen,
                  .onTopOff = Red,
                  .menuTrigger = {T::LeftDown},
                  .closeShowsLauncher = true,
                  .helpKey = QStringLiteral("Jolvex"),
                  .skinManager = QStringLiteral("jolvexprefs"),
                  .menuName = QStringLiteral("Prefs"),
                  .menu = {item("Skin", "Skins"), sound("Sound", "Sounds"),
                           item("secndsmnu", "Seconds Enable",
                                {item("SecondsOn", "Seconds On"), item("SecondsOff", "Seconds Off")}),
                           item("sectype", "Seconds Display", {item("led", "Led"), item("bar", "Bar")}),
                           Separator,
                           item("helps", "Help",
                                {item("ShowHelp", "Help !!!"), Separator,
                                 item("QHelp", "Color Codes",
                                      // The legend of the hour colours; choosing one does nothing.
                                      {item("brown", "  1    Brown"), item("red", "  2    Red"),
                                       item("orange", "  3    Orange "), item("yellow", "  4    Yellow"),
                                       item("green", "  5    Green"), item("blue", "  6    Blue"),
                                       item("violet", "  7    Violet"), item("gray", "  8    Gray"),
                                       item("white", "  9    White"), item("black", "10    Black"),
                                       item("pink", "11    Pink"), item("lblue", "12    Lite Blue")})}),
                           item("About", "About"), item("Quit", "Quit Clock")},
                  .helpItem = QStringLiteral("ShowHelp"),
                  .skinItem = QStringLiteral("Skin"),
                  .aboutItem = QStringLiteral("About"),
                  .quitItem = QStringLiteral("Quit")};
    card.files = DesignFiles{u"Jolvexprefs.prf", u"Jolvexsprefs.prf", u"\\Skins\\jolvex\\blueplic.jpg",
                             nullptr, u"\\Sounds\\bzz.wav"};
    card.skinManager = SkinManagerDesign{.window = card.frame.skinManager,
                                         .design = Design::Jolvex,
                                         .caption = QStringLiteral("Jolvex Skin Manager")};
    card.launcher = launcher::clockBar(2850, rgbValue(0, 128, 0), "jolvex");
    card.withoutPicture = {QT_TRANSLATE_NOOP(
        "vrim::ClockWindow",
        "It shows its plain light grey face until another picture is chosen in its Skin Manager.")};
    card.keepsPictureOnEmptyPath = true;
    card.make = [](const ClockContext &context) { return std::make_unique<JolvexClock>(context); };
    return card;
}

} // namespace vrim
