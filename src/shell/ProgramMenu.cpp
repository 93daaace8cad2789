#include "shell/ProgramMenu.h"

#include "base/WindowNames.h"
#include "base/WindowRegistry.h"
#include "platform/Platform.h"
#include "session/SessionOptions.h"
#include "session/WindowKeeper.h"
#include "shell/LauncherModel.h"

namespace vrim {

ProgramMenu::ProgramMenu(WindowRegistry &registry, Platform &platform, SessionOptions &options,
                         WindowKeeper &keeper)
    : m_options(&options)
{
    for (const LauncherEntry &entry : launcher::entries()) {
        if (!entry.design)
            continue;
        const QString target = entry.target;
        connect(addAction(entry.label), &QAction::triggered, this,
                [&registry, target] { launcher::openEntry(registry, target); });
    }
    addSeparator();
    m_autostart = addAction(QStringLiteral("Start with the desktop"));
    m_reopen = addAction(QStringLiteral("Reopen my clocks where I left them"));
    for (QAction *choice : {m_autostart, m_reopen})
        choice->setCheckable(true);
    // A choice that could not be saved says why and keeps its old mark.
    connect(m_autostart, &QAction::triggered, this, [this, &platform, &options](bool on) {
        if (auto why = options.setStartsWithDesktop(on))
            platform.messages().warn(
                tr("Vrim Clocks could not be set to start with the desktop: %1.").arg(*why));
        showChoices();
    });
    connect(m_reopen, &QAction::triggered, this, [this, &platform, &options, &keeper](bool on) {
        if (auto why = options.setReopens(on))
            platform.messages().warn(tr("The choice to reopen the clocks could not be saved: %1.").arg(*why));
        else
            keeper.setKeeping(on);
        showChoices();
    });
    addSeparator();
    connect(addAction(QStringLiteral("About")), &QAction::triggered, this,
            [&registry] { registry.show(window::About); });
    connect(addAction(QStringLiteral("Exit")), &QAction::triggered, this,
            [&registry] { launcher::exitByBar(registry); });
    connect(this, &QMenu::aboutToShow, this, &ProgramMenu::showChoices);
    showChoices();
}

void ProgramMenu::showChoices()
{
    m_autostart->setChecked(m_options->startsWithDesktop());
    m_reopen->setChecked(m_options->reopens());
}

} // namespace vrim
