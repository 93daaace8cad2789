#pragma once

#include <QRect>
#include <QString>

#include <optional>

namespace vrim {

class RefreshSignal;

// Where a window is on the screen (its frame, window manager's border included) and whether it
// stays on top of the others.
struct WindowPlace {
    QRect frame;
    bool onTop = false;
};

// One window of the program as the registry sees it.
class ManagedWindow {
public:
    virtual ~ManagedWindow() = default;
    // Show modeless and bring to the front.
    virtual void present() = 0;
    // The window's own closing behaviour (a clock shows the launcher, closes its player...).
    // It runs while the window is still loaded, and may show or unload other windows.
    virtual void unloading() {}
    // The text slot through which a Skin Manager asks this window (a clock) to reload.
    virtual RefreshSignal *refreshSignal() { return nullptr; }
    // The text box through which the help page window is handed a help key.
    virtual void setPageKey(const QString &) {}
    // Whether it is on the screen. A loaded window may be hidden (a help sample put away).
    virtual bool isShown() const { return true; }
    // Its place (as it will open, while it is not shown yet), for the windows that open again
    // where the user left them; nothing for the others.
    virtual std::optional<WindowPlace> place() const { return std::nullopt; }
    virtual void putAt(const WindowPlace &) {}
};

} // namespace vrim
