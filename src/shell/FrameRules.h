#pragma once

#include "shell/Geometry.h"

#include <QRect>
#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace vrim {


// How a frame control answers the mouse.
struct ControlTrigger {
    enum Kind { Down, LeftDown, Click, DoubleClick } kind = Down;
};

// One step of a quit or close sequence.
enum class FrameStep { ClosePlayer, ShowLauncher, Unload };

struct MenuItem {
    QString name;    // "SoundOn", "Quit"...
    QString caption; // "Sound On", "-" for a separator
    std::vector<MenuItem> children;
};

// What is the same in every clock window, and how each design differs, as data.
struct FrameDesign {
    QString window;           // registry name, "dov"
    QRect twips;              // client area at its first place: left, top, width, height
    ColourValue onTopOn = 0;  // on-top button colours
    ColourValue onTopOff = 0;
    ControlTrigger menuTrigger;               // how the menu button opens the menu
    std::optional<ControlTrigger> quitTrigger; // none: the menu is the only way out
    std::vector<FrameStep> quitSteps;         // what the quit control does
    bool closeShowsLauncher = false;          // closing by any means also shows the launcher
    bool hasPlayer = true;
    QString helpKey;
    QString skinManager;
    QString menuName;
    std::vector<MenuItem> menu;
    // Menu items by their role in this design (Norvi calls its Skin Manager item "SkinManager").
    QString helpItem, skinItem, aboutItem, quitItem;
};

namespace frame {

inline constexpr ColourValue LightGreen = rgbValue(192, 255, 120);
inline constexpr ColourValue Red = rgbValue(255, 0, 0);

const FrameDesign &dov();
std::span<const FrameDesign> all();
const FrameDesign *find(const QString &window);

} // namespace frame
} // namespace vrim
