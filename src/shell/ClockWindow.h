#pragma once

#include "platform/QtWindowOps.h"
#include "shell/FrameRules.h"
#include "shell/VrimWindow.h"

#include <functional>

namespace vrim {

class ClickLabel;
class ClockFrame;

// What every clock window shares on screen: a borderless, fixed-size gadget window without a
// taskbar button, its small coloured frame buttons and its pop-up menu.
class ClockWindow : public VrimWindow {
    Q_OBJECT
public:
    ClockWindow(WindowRegistry &registry, const FrameDesign &design);

    QtWindowOps &windowOps() { return m_ops; }

    // A small coloured button on the face, in twips, with its tool-tip.
    ClickLabel *addButton(const QRect &twips, const QString &tip);
    void paintButton(ClickLabel *button, ColourValue colour);
    // Runs `action` when the control sees the gesture the design gives it.
    void bind(ClickLabel *control, ControlTrigger trigger, std::function<void()> action);

    // Pops the design's menu up at the pointer; the chosen item goes to the frame once it closes.
    void popUpMenu(ClockFrame &frame);

    // The item names of the last menu built, for tests: name -> enabled, checked.
    struct ItemState {
        QString caption;
        bool enabled = true;
        bool checked = false;
    };
    static std::vector<std::pair<QString, ItemState>> menuItems(const ClockFrame &frame,
                                                               const WindowRegistry &registry);

private:
    const FrameDesign &m_design;
    QtWindowOps m_ops;
};

} // namespace vrim
