#pragma once

#include "base/Design.h"
#include "base/Geometry.h"

#include <QRect>
#include <QString>

#include <optional>
#include <span>

namespace vrim {

class WindowRegistry;

// Which mouse gesture an entry's part answers to.
enum class Gesture { ButtonDown, Click };
enum class EntryPart { Label, Bar };

enum class LabelInk { Black, Custom, HighlightText };

struct LauncherEntry {
    QRect twips;                     // the bar, in the launcher's client area
    std::optional<ColourValue> fill; // nullopt: the window's own button face
    QString label;
    LabelInk ink = LabelInk::Black;
    ColourValue inkColour = 0;
    QString target;               // empty: the Exit entry
    std::optional<Design> design; // the clock design it opens, if it opens one
    Gesture labelGesture = Gesture::ButtonDown;
    Gesture barGesture = Gesture::Click;
    bool isHelp = false; // the tall picture with the vertical "H E L P"
};

namespace launcher {

inline const QString Caption = QStringLiteral("vRIM's");
// Client area at its first place, in logical pixels.
inline constexpr QRect ClientRect = twipsRect(7425, 1830, 1965, 5430);

// A clock's bar at `top` twips, as a design's card declares it; the table of designs names the
// design and its window.
LauncherEntry clockBar(int top, ColourValue fill, const char *label,
                       Gesture labelGesture = Gesture::ButtonDown);
// The design's entry, from its card (clocks/Designs.h).
const LauncherEntry &clockEntry(Design design);

// Top to bottom, then the help picture.
std::span<const LauncherEntry> entries();

Gesture gestureOf(const LauncherEntry &entry, EntryPart part);

// What using an entry does. A target this build does not have yet leaves the launcher open.
void activate(WindowRegistry &registry, const LauncherEntry &entry, EntryPart part);

void openEntry(WindowRegistry &registry, const QString &target);
void exitByLabel(WindowRegistry &registry);
void exitByBar(WindowRegistry &registry);

} // namespace launcher
} // namespace vrim
