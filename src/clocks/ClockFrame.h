#pragma once

#include "clocks/FrameDesign.h"
#include "settings/ChimeRules.h"

#include <QObject>

#include <functional>
#include <optional>

namespace vrim {

class SoundPlayer;
class WindowOps;
class WindowRegistry;

// What the clock that owns a frame does for it. These are the owner's answers, not news for
// whoever listens, so the owner hands them over once, when it makes the frame.
struct FrameSteps {
    std::function<void()> afterDrag;   // the design's step once a drag ends
    std::function<void()> afterToggle; // ... and once the on-top button swapped the stacking
    // The check mark of an item the frame does not know, or none.
    std::function<std::optional<bool>(const QString &)> checkMark;
};

// The part of every clock window that is not its face: on-top state, dragging, the pop-up
// menu's items, quitting and closing. The on-top button's colour is the on-top state.
class ClockFrame : public QObject {
    Q_OBJECT
public:
    ClockFrame(const FrameDesign &design, WindowRegistry &registry, WindowOps &ops, SoundPlayer *player,
               FrameSteps steps = {});

    const FrameDesign &design() const { return m_design; }

    // While the window loads: the on-top button shows ON and the window goes on top, where the
    // platform can keep it there; elsewhere the button shows OFF and stays so.
    void load();

    ColourValue onTopColour() const { return m_onTopColour; }
    void setOnTopColour(ColourValue colour) { m_onTopColour = colour; }
    bool isOnTop() const { return m_onTopColour == m_design.onTopOn; }

    SoundMenu &soundMenu() { return m_soundMenu; }
    const SoundMenu &soundMenu() const { return m_soundMenu; }

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

Q_SIGNALS:
    // An item the frame does not know was chosen (Jolvex's seconds items).
    void otherItemChosen(const QString &name);

private:
    void run(FrameStep step);
    void send(const QString &word);

    const FrameDesign &m_design;
    WindowRegistry &m_registry;
    WindowOps &m_ops;
    SoundPlayer *m_player;
    ColourValue m_onTopColour = 0;
    SoundMenu m_soundMenu;
    FrameSteps m_steps;
};

} // namespace vrim
