#include "shell/LauncherModel.h"

#include "base/WindowNames.h"
#include "base/WindowRegistry.h"

#include <algorithm>
#include <vector>

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

std::vector<LauncherEntry> makeEntries()
{
    LauncherEntry ganto = bar(3770, rgbValue(0, 0, 0), "Ganto", window::Stopwatch, Gesture::Click);
    ganto.ink = LabelInk::HighlightText;
    std::vector<LauncherEntry> made = {
        bar(3310, rgbValue(255, 255, 0), "Osttrana", window::InternetTime),
        ganto,
        bar(4830, std::nullopt, "Exit", QString()),
    };
    for (const Design design : AllDesigns)
        made.push_back(clockEntry(design));
    std::sort(made.begin(), made.end(),
              [](const LauncherEntry &a, const LauncherEntry &b) { return a.twips.top() < b.twips.top(); });
    LauncherEntry help = bar(570, std::nullopt, "H E L P", window::HelpMenu);
    help.twips = QRect(1695, 570, 315, 3045);
    help.barGesture = Gesture::ButtonDown;
    help.isHelp = true;
    made.push_back(help);
    return made;
}

} // namespace

LauncherEntry clockBar(int top, ColourValue fill, const char *label, Gesture labelGesture)
{
    return bar(top, fill, label, QString(), labelGesture);
}

std::span<const LauncherEntry> entries()
{
    static const std::vector<LauncherEntry> all = makeEntries();
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
