#pragma once

#include <QMenu>

namespace vrim {

class Platform;
class SessionOptions;
class WindowKeeper;
class WindowRegistry;

// The program's own menu, on the launcher's right button (and its Menu key) and on the tray
// icon: the eight clocks by their launcher names, the two choices about the desktop session,
// About and Exit.
class ProgramMenu final : public QMenu {
    Q_OBJECT
public:
    ProgramMenu(WindowRegistry &registry, Platform &platform, SessionOptions &options, WindowKeeper &keeper);

    QAction *startsWithDesktop() const { return m_autostart; }
    QAction *reopens() const { return m_reopen; }

private:
    // The check marks say what the files say now.
    void showChoices();

    SessionOptions *m_options = nullptr;
    QAction *m_autostart = nullptr;
    QAction *m_reopen = nullptr;
};

} // namespace vrim
