#include "shell/LauncherModel.h"

#include "base/WindowNames.h"
#include "base/WindowRegistry.h"

#include <array>

namespace vrim::launcher {
namespace {

LauncherEntry bar(int top, std::optional<ColourValue> fill, const char *label, const QString &target,
                  Gesture labelGesture = Gesture::ButtonDown)
{
    LauncherEntry entry;
    entry.twips = QRect(270, top, 1155, 375);
    entry.fill = fill;
    entry.label = QString::fromLatin1(label);
    entry.target = target;
    entry.labelGesture = labelGesture;
    return entry;
}

LauncherEntry clock(int top, ColourValue fill, const char *label, Design design,
                    Gesture labelGesture = Gesture::ButtonDown)
{
    LauncherEntry entry = bar(top, fill, label, windowOf(design), labelGesture);
    entry.design = design;
    return entry;
}

std::array<LauncherEntry, 12> makeEntries()
{
    LauncherEntry mip = clock(2390, rgbValue(0, 64, 64), "Mip", Design::Mip);
    mip.ink = LabelInk::Custom;
    mip.inkColour = rgbValue(255, 224, 192);
    LauncherEntry ganto = bar(3770, rgbValue(0, 0, 0), "Ganto", window::Stopwatch, Gesture::Click);
    ganto.ink = LabelInk::HighlightText;
    LauncherEntry help = bar(570, std::nullopt, "H E L P", window::HelpMenu);
    help.twips = QRect(1695, 570, 315, 3045);
    help.barGesture = Gesture::ButtonDown;
    help.isHelp = true;
    return {
        clock(90, rgbValue(128, 255, 128), "Vrim", Design::Vrimcolor),
        clock(550, rgbValue(128, 128, 255), "norvi", Design::Norvi),
        clock(1010, rgbValue(255, 128, 0), "lumbo", Design::Lumbo),
        clock(1470, rgbValue(255, 128, 255), "Dov", Design::Dov),
        clock(1930, rgbValue(192, 255, 255), "Quenz", Design::Quenz),
        mip,
        clock(2850, rgbValue(0, 128, 0), "jolvex", Design::Jolvex),
        bar(3310, rgbValue(255, 255, 0), "Osttrana", window::InternetTime),
        ganto,
        clock(4215, rgbValue(192, 192, 255), "Perrin", Design::Perrin, Gesture::Click),
        bar(4830, std::nullopt, "Exit", QString()),
        help,
    };
}

} // namespace

std::span<const LauncherEntry> entries()
{
    static const std::array<LauncherEntry, 12> all = makeEntries();
    return all;
}

Gesture gestureOf(const LauncherEntry &entry, EntryPart part)
{
    return part == EntryPart::Label ? entry.labelGesture : entry.barGesture;
}

void activate(WindowRegistry &registry, const LauncherEntry &entry, EntryPart part)
{
    if (!entry.target.isEmpty())
        openEntry(registry, entry.target);
    else if (part == EntryPart::Label)
        exitByLabel(registry);
    else
        exitByBar(registry);
}

void openEntry(WindowRegistry &registry, const QString &target)
{
    if (registry.show(target))
        registry.unload(window::Launcher);
}

void exitByLabel(WindowRegistry &registry) { registry.unload(window::Launcher); }

void exitByBar(WindowRegistry &registry)
{
    registry.closeAll();
    // A closing window may have shown the launcher again; it goes too.
    registry.unload(window::Launcher);
}

} // namespace vrim::launcher
