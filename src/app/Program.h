#pragma once

#include "base/WindowRegistry.h"
#include "clocks/ClockWindow.h"
#include "nettime/InternetTime.h"
#include "platform/SecondTicker.h"
#include "session/SessionOptions.h"
#include "session/WindowKeeper.h"
#include "settings/DataFolders.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <utility>

class QSystemTrayIcon;

namespace vrim {

class Platform;
class ProgramMenu;
class SplashModel;
class SplashWindow;

// The whole program minus the event loop: its windows by name, the ticker that drives the
// clocks, and start-up.
class Program {
public:
    // `session` says where the desktop-session choices and the record of the open windows
    // live; without it they are off and kept nowhere.
    Program(Platform &platform, DataFolders folders, std::function<void()> onEnd, SessionFiles session = {});
    ~Program();

    WindowRegistry &registry() { return m_registry; }
    SecondTicker &ticker() { return m_ticker; }
    const DataFolders &folders() const { return m_folders; }
    SessionOptions &sessionOptions() { return m_options; }
    ProgramMenu &menu() { return *m_menu; }
    // What the internet-time window reaches outside the program; tests replace it.

    // Shows the splash. On a first start the settings are written once it is on the screen;
    // when they cannot be, the user is told why and the program ends, failed() then true.
    void start();
    // Called once the splash is on the screen, before anything else that waits for it.
    void onSplashPainted(std::function<void(SplashWindow &)> then) { m_splashPainted = std::move(then); }
    bool failed() const { return m_settings == Settings::Failed; }

private:
    // Every design's clock lives in the one clock window.
    void defineClock(Design design);
    // After the splash: the clocks left open last time, when the user asked for that.
    void splashFinished();
    // A first start's settings, written once; false when they could not be, the user told and
    // the program ending. `countdown` is stopped first, so no advice follows the message.
    bool settle(SplashModel *countdown);
    // A tray icon with the program's menu. It shows while the desktop has a tray, also one that
    // starts after the program (a panel late at login); without one nothing shows.
    void offerTray();

    Platform &m_platform;
    DataFolders m_folders;
    std::function<void()> m_onEnd;
    std::function<void(SplashWindow &)> m_splashPainted;
    QObject m_endCheck; // context of the queued end check, gone with the program
    QTimer m_giveBack;  // hands freed memory back to the system once windows have settled
    SecondTicker m_ticker;
    WindowRegistry m_registry; // its windows use the ticker while they close
    SessionOptions m_options;
    WindowKeeper m_keeper;
    std::unique_ptr<ProgramMenu> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_tray;
    enum class Settings { Unsettled, Settled, Failed } m_settings = Settings::Unsettled;
};

} // namespace vrim
