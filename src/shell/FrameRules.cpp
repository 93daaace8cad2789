#include "shell/FrameRules.h"

#include "shell/WindowNames.h"

#include <array>

namespace vrim::frame {
namespace {

using Step = FrameStep;
const MenuItem Separator{QString(), QStringLiteral("-"), {}};

MenuItem item(const char *name, const char *caption, std::vector<MenuItem> children = {})
{
    return {QString::fromLatin1(name), QString::fromLatin1(caption), std::move(children)};
}

MenuItem sound(const char *name, const char *caption, const char *on = "Sound On",
               const char *off = "Sound Off")
{
    return item(name, caption, {item("SoundOn", on), item("SoundOff", off)});
}

FrameDesign design(const QString &window, QRect twips, ColourValue on, ColourValue off)
{
    FrameDesign d;
    d.window = window;
    d.twips = twips;
    d.onTopOn = on;
    d.onTopOff = off;
    d.helpItem = QStringLiteral("Helpmnu");
    d.skinItem = QStringLiteral("SkinMgr");
    d.aboutItem = QStringLiteral("About");
    d.quitItem = QStringLiteral("Quit");
    return d;
}

std::array<FrameDesign, 8> makeAll()
{
    using T = ControlTrigger;
    FrameDesign dov = design(window::Dov, {9870, 6360, 1650, 1995}, LightGreen, Red);
    dov.menuTrigger = {T::LeftDown};
    dov.quitTrigger = T{T::Click};
    dov.quitSteps = {Step::ShowLauncher, Step::Unload};
    dov.helpKey = QStringLiteral("dov");
    dov.skinManager = QStringLiteral("dovprefs");
    dov.menuName = QStringLiteral("preferences");
    dov.menu = {item("Helpmnu", "Help"), item("SkinMgr", "Skin Manager"), sound("Sound", "Sound"),
                Separator, item("About", "About"), item("Quit", "Quit")};

    FrameDesign norvi = design(window::Norvi, {10125, 270, 1380, 3360}, LightGreen, Red);
    norvi.menuTrigger = {T::Click};
    norvi.quitTrigger = T{T::Down};
    norvi.quitSteps = {Step::ClosePlayer, Step::Unload, Step::ShowLauncher};
    norvi.closeShowsLauncher = true;
    norvi.helpKey = QStringLiteral("norvi");
    norvi.skinManager = QStringLiteral("norviprefs");
    norvi.menuName = QStringLiteral("NorviPreferences");
    norvi.skinItem = QStringLiteral("SkinManager");
    norvi.quitItem = QStringLiteral("QuitNorvi");
    norvi.menu = {item("Helpmnu", "Help"), item("SkinManager", "Skin Manager"), sound("Sounds", "Sounds"),
                  Separator, item("About", "About"), item("QuitNorvi", "Quit")};

    FrameDesign quenz = design(window::Quenz, {9240, 6225, 2370, 2415}, rgbValue(64, 64, 64), Red);
    quenz.menuTrigger = {T::Down};
    quenz.helpKey = QStringLiteral("quenz");
    quenz.skinManager = QStringLiteral("QuenzPref");
    quenz.menuName = QStringLiteral("Quenzprefs");
    quenz.skinItem = QStringLiteral("SkinManager");
    quenz.menu = {item("Helpmnu", "Help"), item("SkinManager", "Skin Manager"), sound("Sound", "Sound"),
                  Separator, item("About", "About"), item("Quit", "Quit")};

    FrameDesign perrin = design(window::Perrin, {9855, 6090, 3495, 3000}, rgbValue(229, 255, 231),
                                rgbValue(255, 255, 255));
    perrin.quitTrigger = T{T::DoubleClick};
    perrin.quitSteps = {Step::Unload, Step::ShowLauncher};
    perrin.closeShowsLauncher = true;
    perrin.hasPlayer = false;
    perrin.helpItem = perrin.skinItem = perrin.aboutItem = perrin.quitItem = QString();

    FrameDesign jolvex = design(window::Jolvex, {9360, 7095, 1170, 750}, LightGreen, Red);
    jolvex.menuTrigger = {T::LeftDown};
    jolvex.closeShowsLauncher = true;
    jolvex.helpKey = QStringLiteral("Jolvex");
    jolvex.skinManager = QStringLiteral("jolvexprefs");
    jolvex.menuName = QStringLiteral("Prefs");
    jolvex.helpItem = QStringLiteral("ShowHelp");
    jolvex.skinItem = QStringLiteral("Skin");
    jolvex.menu = {item("Skin", "Skins"), sound("Sound", "Sounds"), item("secndsmnu", "Seconds Enable"),
                   item("sectype", "Seconds Display"), Separator,
                   item("helps", "Help", {item("ShowHelp", "Help !!!"), Separator, item("QHelp", "Color Codes")}),
                   item("About", "About"), item("Quit", "Quit Clock")};

    FrameDesign vrimcolor = design(window::Vrimcolor, {9870, 6855, 1755, 1755}, LightGreen, Red);
    vrimcolor.menuTrigger = {T::Click};
    vrimcolor.quitTrigger = T{T::Click};
    vrimcolor.quitSteps = {Step::ClosePlayer, Step::ShowLauncher, Step::Unload};
    vrimcolor.helpKey = QStringLiteral("Vrimcolor");
    vrimcolor.skinManager = QStringLiteral("vrimprefs");
    vrimcolor.menuName = QStringLiteral("prefs");
    vrimcolor.menu = {item("Helpmnu", "Help"), item("SkinMgr", "Skin Manager"), sound("sounds", "Sound"),
                      Separator, item("About", "About"), item("Quit", "Quit")};

    FrameDesign mip = design(window::Mip, {10245, 390, 1005, 2280}, LightGreen, Red);
    mip.menuTrigger = {T::DoubleClick};
    mip.quitTrigger = T{T::Click};
    mip.quitSteps = {Step::ShowLauncher, Step::ClosePlayer, Step::Unload};
    mip.closeShowsLauncher = true;
    mip.helpKey = QStringLiteral("Mip");
    mip.skinManager = QStringLiteral("MipPreferences");
    mip.menuName = QStringLiteral("MipPrefs");
    mip.skinItem = QStringLiteral("SkinManager");
    mip.quitItem = QStringLiteral("QuitMip");
    mip.menu = {item("Helpmnu", "Help"), item("SkinManager", "Skin Manager"), sound("Sound", "Sound", "On", "Off"),
                Separator, item("About", "About"), item("QuitMip", "Quit")};

    FrameDesign lumbo = design(window::Lumbo, {1515, 510, 9000, 975}, LightGreen, Red);
    lumbo.menuTrigger = {T::Click}; // its Preferences button opens the Skin Manager directly
    lumbo.quitTrigger = T{T::Down};
    lumbo.quitSteps = {Step::ShowLauncher, Step::Unload};
    lumbo.skinManager = QStringLiteral("lumbopreffrm");
    lumbo.helpItem = lumbo.aboutItem = lumbo.quitItem = lumbo.skinItem = QString();

    return {dov, norvi, quenz, perrin, jolvex, vrimcolor, mip, lumbo};
}

} // namespace

std::span<const FrameDesign> all()
{
    static const std::array<FrameDesign, 8> designs = makeAll();
    return designs;
}

const FrameDesign *find(const QString &window)
{
    for (const FrameDesign &design : all())
        if (design.window == window)
            return &design;
    return nullptr;
}

const FrameDesign &dov() { return *find(window::Dov); }

} // namespace vrim::frame
