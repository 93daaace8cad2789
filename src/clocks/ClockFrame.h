#pragma once

#include "clocks/FrameDesign.h"
#include "settings/ChimeRules.h"

#include <functional>
#include <optional>

namespace vrim {

class SoundPlayer;
class WindowOps;
class WindowRegistry;

// The part of every clock window that is not its face: on-top state, dragging, the pop-up
// menu's items, quitting and closing. The on-top button's colour is the on-top state.
class ClockFrame {
public:
    ClockFrame(const FrameDesign &design, WindowRegistry &registry, WindowOps &ops, SoundPlayer *player);

    const FrameDesign &design() const { return m_design; }

    // While the window loads: the on-top button shows ON and the window goes on top, where the
    // platform can keep it there; elsewhere the button shows OFF and stays so.
    void load();

    ColourValue onTopColour() const { return m_onTopColour; }
    void setOnTopColour(ColourValue colour) { m_onTopColour = colour; }
    bool isOnTop() const { return m_onTopColour == m_design.onTopOn; }

    SoundMenu &soundMenu() { return m_soundMenu; }
    const SoundMenu &soundMenu() const { return m_soundMenu; }

    void onAfterDrag(std::function<void()> step) { m_afterDrag = std::move(step); }
    void onAfterToggle(std::function<void()> step) { m_afterToggle = std::move(step); }

    // Items the frame does not know (Jolvex's seconds items), and their check marks.
    void onOtherItem(std::function<void(const QString &)> handler) { m_otherItem = std::move(handler); }
    void onCheckMark(std::function<std::optional<bool>(const QString &)> handler)
    {
        m_checkMark = std::move(handler);
    }
    // The check mark an item shows, or none for an item without one.
    std::optional<bool> isChecked(const QString &item) const;

    void pressMoveHandle();
    // Swaps on-top and normal stacking; a colour that is neither ON nor OFF does nothing.
    void pressOnTopButton();
    void chooseMenuItem(const QString &name);
    void useQuitControl();
    // Closes the player, then shows the design's Skin Manager.
    void openSkinManager();
    // The window's closing behaviour, however it is closed.
    void closing();
    // The player finished a command: rewind, so the next chime starts at the beginning.
    void playerCompleted();

private:
    void run(FrameStep step);
    void send(const QString &word);

    const FrameDesign &m_design;
    WindowRegistry &m_registry;
    WindowOps &m_ops;
    SoundPlayer *m_player;
    ColourValue m_onTopColour = 0;
    SoundMenu m_soundMenu;
    std::function<void()> m_afterDrag;
    std::function<void()> m_afterToggle;
    std::function<void(const QString &)> m_otherItem;
    std::function<std::optional<bool>(const QString &)> m_checkMark;
};

} // namespace vrim
