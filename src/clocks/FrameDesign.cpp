#include "clocks/FrameDesign.h"

#include "base/WindowNames.h"
#include "clocks/dov/DovControls.h"
#include "clocks/jolvex/JolvexControls.h"
#include "clocks/lumbo/LumboControls.h"
#include "clocks/mip/MipControls.h"
#include "clocks/norvi/NorviControls.h"
#include "clocks/perrin/PerrinControls.h"
#include "clocks/quenz/QuenzControls.h"
#include "clocks/vrimcolor/VrimcolorControls.h"

#include <array>

namespace vrim::frame {
namespace {

using Step = FrameStep;
using After = FrameAfter;
using T = ControlTrigger;

MenuItem item(const char *name, const char *caption, std::vector<MenuItem> children = {})
{
    return {QString::fromLatin1(name), QString::fromLatin1(caption), std::move(children)};
}

const MenuItem Separator{QString(), QStringLiteral("-"), {}};

MenuItem sound(const char *name, const char *caption, const char *on = "Sound On",
               const char *off = "Sound Off")
{
    return item(name, caption, {item("SoundOn", on), item("SoundOff", off)});
}

QString s(const char *text) { return QString::fromLatin1(text); }

FrameDesign rowOf(Design design)
{
    switch (design) {
    case Design::Dov:
        return {.design = Design::Dov,
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
                .helpKey = s("dov"),
                .skinManager = s("dovprefs"),
                .menuName = s("preferences"),
                .menu = {item("Helpmnu", "Help"), item("SkinMgr", "Skin Manager"), sound("Sound", "Sound"),
                         Separator, item("About", "About"), item("Quit", "Quit")},
                .helpItem = s("Helpmnu"),
                .skinItem = s("SkinMgr"),
                .aboutItem = s("About"),
                .quitItem = s("Quit")};
    case Design::Norvi:
        return {.design = Design::Norvi,
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
                .helpKey = s("norvi"),
                .skinManager = s("norviprefs"),
                .menuName = s("NorviPreferences"),
                .menu = {item("Helpmnu", "Help"), item("SkinManager", "Skin Manager"),
                         sound("Sounds", "Sounds"), Separator, item("About", "About"),
                         item("QuitNorvi", "Quit")},
                .helpItem = s("Helpmnu"),
                .skinItem = s("SkinManager"),
                .aboutItem = s("About"),
                .quitItem = s("QuitNorvi")};
    case Design::Quenz:
        return {.design = Design::Quenz,
                .window = window::Quenz,
                .twips = {9240, 6225, 2370, 2415},
                .moveHandle = quenz::control::Move,
                .onTopButton = quenz::control::OnTop,
                .menuButton = quenz::control::Preferences,
                .onTopOn = rgbValue(64, 64, 64),
                .onTopOff = Red,
                .menuTrigger = {T::Down},
                .afterDrag = After::ResetFace,
                .helpKey = s("quenz"),
                .skinManager = s("QuenzPref"),
                .menuName = s("Quenzprefs"),
                .menu = {item("Helpmnu", "Help"), item("SkinManager", "Skin Manager"),
                         sound("Sound", "Sound"), Separator, item("About", "About"), item("Quit", "Quit")},
                .helpItem = s("Helpmnu"),
                .skinItem = s("SkinManager"),
                .aboutItem = s("About"),
                .quitItem = s("Quit")};
    case Design::Perrin:
        return {.design = Design::Perrin,
                .window = window::Perrin,
                .twips = {9855, 6090, 3495, 3000},
                .moveHandle = perrin::control::HotSpot,
                .onTopButton = perrin::control::Minutes,
                .quitControl = perrin::control::HotSpot,
                .onTopOn = rgbValue(229, 255, 231),
                .onTopOff = rgbValue(255, 255, 255),
                .quitTrigger = T{T::DoubleClick},
                .quitSteps = {Step::Unload, Step::ShowLauncher},
                .closeShowsLauncher = true,
                .hasPlayer = false};
    case Design::Jolvex:
        return {.design = Design::Jolvex,
                .window = window::Jolvex,
                .twips = {9360, 7095, 1170, 750},
                .moveHandle = jolvex::control::Move,
                .onTopButton = jolvex::control::OnTop,
                .menuButton = jolvex::control::Preferences,
                .onTopOn = LightGreen,
                .onTopOff = Red,
                .menuTrigger = {T::LeftDown},
                .closeShowsLauncher = true,
                .helpKey = s("Jolvex"),
                .skinManager = s("jolvexprefs"),
                .menuName = s("Prefs"),
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
                .helpItem = s("ShowHelp"),
                .skinItem = s("Skin"),
                .aboutItem = s("About"),
                .quitItem = s("Quit")};
    case Design::Vrimcolor:
        return {.design = Design::Vrimcolor,
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
                .helpKey = s("Vrimcolor"),
                .skinManager = s("vrimprefs"),
                .menuName = s("prefs"),
                .menu = {item("Helpmnu", "Help"), item("SkinMgr", "Skin Manager"), sound("sounds", "Sound"),
                         Separator, item("About", "About"), item("Quit", "Quit")},
                .helpItem = s("Helpmnu"),
                .skinItem = s("SkinMgr"),
                .aboutItem = s("About"),
                .quitItem = s("Quit")};
    case Design::Mip:
        return {.design = Design::Mip,
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
                .helpKey = s("Mip"),
                .skinManager = s("MipPreferences"),
                .menuName = s("MipPrefs"),
                .menu = {item("Helpmnu", "Help"), item("SkinManager", "Skin Manager"),
                         sound("Sound", "Sound", "On", "Off"), Separator, item("About", "About"),
                         item("QuitMip", "Quit")},
                .helpItem = s("Helpmnu"),
                .skinItem = s("SkinManager"),
                .aboutItem = s("About"),
                .quitItem = s("QuitMip")};
    case Design::Lumbo:
        return {.design = Design::Lumbo,
                .window = window::Lumbo,
                .caption = s("lum-bo"),
                .twips = {1515, 510, 9000, 975},
                .moveHandle = lumbo::control::Move,
                .onTopButton = lumbo::control::OnTop,
                .menuButton = lumbo::control::Preferences,
                .quitControl = lumbo::control::Quit,
                .onTopOn = LightGreen,
                .onTopOff = Red,
                .menuTrigger = {T::Click}, // its Preferences button opens the Skin Manager directly
                .quitTrigger = T{T::Down},
                .quitSteps = {Step::ShowLauncher, Step::Unload},
                .paintedAtLoad = {{lumbo::control::Move, LightGreen}},
                .skinManager = s("lumbopreffrm")};
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace

std::span<const FrameDesign> all()
{
    static const std::array<FrameDesign, AllDesigns.size()> designs = [] {
        std::array<FrameDesign, AllDesigns.size()> rows;
        for (const Design design : AllDesigns) {
            rows[size_t(design)] = rowOf(design);
            if (rows[size_t(design)].design != design)
                qFatal("The frame row of %s names another design", qPrintable(designName(design)));
        }
        return rows;
    }();
    return designs;
}

const FrameDesign &of(Design design) { return all()[size_t(design)]; }

const FrameDesign *find(const QString &window)
{
    for (const FrameDesign &design : all())
        if (design.window == window)
            return &design;
    return nullptr;
}

} // namespace vrim::frame
