#include "clocks/ClockFrame.h"

#include "base/WindowNames.h"
#include "base/WindowRegistry.h"
#include "help/HelpPage.h"
#include "platform/SoundPlayer.h"
#include "platform/WindowOps.h"

#include <utility>

namespace vrim {

ClockFrame::ClockFrame(const FrameDesign &design, WindowRegistry &registry, WindowOps &ops,
                       SoundPlayer *player, FrameSteps steps)
    : m_design(design)
    , m_registry(registry)
    , m_ops(ops)
    , m_player(player)
    , m_steps(std::move(steps))
{}

void ClockFrame::load()
{
    if (!m_ops.canKeepOnTop()) {
        m_onTopColour = m_design.onTopOff;
        return;
    }
    m_onTopColour = m_design.onTopOn;
    m_ops.keepOnTop();
}

void ClockFrame::pressMoveHandle()
{
    m_ops.startDrag([this] {
        if (m_steps.afterDrag)
            m_steps.afterDrag();
    });
}

void ClockFrame::pressOnTopButton()
{
    if (m_onTopColour == m_design.onTopOff) {
        if (!m_ops.canKeepOnTop())
            return; // the colour stays truthful: the window is not on top
        m_ops.keepOnTop();
        m_onTopColour = m_design.onTopOn;
    } else if (m_onTopColour == m_design.onTopOn) {
        m_ops.releaseFromTop();
        m_onTopColour = m_design.onTopOff;
    } else {
        return;
    }
    if (m_steps.afterToggle)
        m_steps.afterToggle();
}

void ClockFrame::chooseMenuItem(const QString &name)
{
    if (name == u"SoundOn") {
        m_soundMenu.chooseOn();
    } else if (name == u"SoundOff") {
        m_soundMenu.chooseOff();
    } else if (name == m_design.helpItem) {
        showHelpPage(m_registry, m_design.helpKey);
    } else if (name == m_design.skinItem) {
        openSkinManager();
    } else if (name == m_design.aboutItem) {
        m_registry.show(window::About);
    } else if (name == m_design.quitItem) {
        run(FrameStep::ClosePlayer);
        run(FrameStep::ShowLauncher);
        run(FrameStep::Unload);
    } else {
        Q_EMIT otherItemChosen(name);
    }
}

std::optional<bool> ClockFrame::isChecked(const QString &item) const
{
    if (item == u"SoundOn")
        return m_soundMenu.soundOn;
    if (item == u"SoundOff")
        return m_soundMenu.soundOff;
    return m_steps.checkMark ? m_steps.checkMark(item) : std::nullopt;
}

void ClockFrame::openSkinManager()
{
    // The player stays closed until the clock reloads its settings: the dialog has its own.
    send(QStringLiteral("close"));
    m_registry.show(m_design.skinManager);
}

void ClockFrame::useQuitControl()
{
    for (const FrameStep step : m_design.quitSteps)
        run(step);
}

void ClockFrame::closing()
{
    run(FrameStep::ClosePlayer);
    if (m_design.closeShowsLauncher)
        run(FrameStep::ShowLauncher);
}

void ClockFrame::playerCompleted() { send(QStringLiteral("Prev")); }

void ClockFrame::run(FrameStep step)
{
    switch (step) {
    case FrameStep::ClosePlayer:
        send(QStringLiteral("Close"));
        break;
    case FrameStep::ShowLauncher:
        m_registry.show(window::Launcher);
        break;
    case FrameStep::Unload:
        m_registry.unload(m_design.window);
        break;
    }
}

void ClockFrame::send(const QString &word)
{
    if (m_player)
        m_player->command(word);
}

} // namespace vrim
