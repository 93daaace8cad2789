#pragma once

#include "base/Design.h"
#include "base/Geometry.h"

#include <QRect>
#include <QString>

#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace vrim {

// How a frame control answers the mouse.
struct ControlTrigger {
    enum Kind { Down, LeftDown, Click, DoubleClick } kind = Down;
};

// One step of a quit or close sequence.
enum class FrameStep { ClosePlayer, ShowLauncher, Unload };

// What a design does once a drag has ended, or the on-top button has been used.
enum class FrameAfter {
    Nothing,
    ResetFace,    // the design's ResetFace
    DesignStep,   // a step of the design's own (Norvi repaints its seconds units)
    RaiseRefresh, // raises the clock's own refresh signal (Vrimcolor)
};

struct MenuItem {
    QString name;    // "SoundOn", "Quit"...
    QString caption; // "Sound On", "-" for a separator
    std::vector<MenuItem> children;
};

// What is the same in every clock window, and how each design differs, as data.
struct FrameDesign {
    Design design;
    QString window;  // registry name, "dov"
    QString caption; // the window's title where it is not its name (it has no title bar)
    QRect twips;     // client area at its first place: left, top, width, height
    // The frame controls by their names on the design's face.
    QString moveHandle;      // answers a button going down, any button
    QString onTopButton;     // likewise; its colour is the on-top state
    QString menuButton;      // none: no menu
    QString quitControl;     // none: the menu is the only way out
    ColourValue onTopOn = 0; // on-top button colours
    ColourValue onTopOff = 0;
    ControlTrigger menuTrigger;                // how the menu button opens the menu
    std::optional<ControlTrigger> quitTrigger; // how the quit control quits
    std::vector<FrameStep> quitSteps;          // what the quit control does
    bool closeShowsLauncher = false;           // closing by any means also shows the launcher
    bool hasPlayer = true;
    // Buttons painted while the window loads, besides the on-top button (which shows ON).
    std::vector<std::pair<QString, ColourValue>> paintedAtLoad;
    FrameAfter afterDrag = FrameAfter::Nothing;
    FrameAfter afterToggle = FrameAfter::Nothing;
    QString helpKey;
    QString skinManager;
    QString menuName;
    std::vector<MenuItem> menu; // empty: the menu button opens the Skin Manager itself (Lumbo)
    // Menu items by their role in this design (Norvi calls its Skin Manager item "SkinManager").
    QString helpItem, skinItem, aboutItem, quitItem;
};

namespace frame {

inline constexpr ColourValue LightGreen = rgbValue(192, 255, 120);
inline constexpr ColourValue Red = rgbValue(255, 0, 0);

// A menu item, a separator, and a Sound item with its two choices: how a card writes a menu.
inline MenuItem item(const char *name, const char *caption, std::vector<MenuItem> children = {})
{
    return {QString::fromLatin1(name), QString::fromLatin1(caption), std::move(children)};
}
inline const MenuItem Separator{QString(), QStringLiteral("-"), {}};
inline MenuItem sound(const char *name, const char *caption, const char *on = "Sound On",
                      const char *off = "Sound Off")
{
    return item(name, caption, {item("SoundOn", on), item("SoundOff", off)});
}

// Every design's row, from its card (clocks/Designs.h).
const FrameDesign &of(Design design);

} // namespace frame
} // namespace vrim
