#pragma once

#include "base/WindowRegistry.h"
#include "clocks/ClockWindow.h"
#include "nettime/InternetTime.h"
#include "platform/SecondTicker.h"
#include "settings/DataFolders.h"

#include <QObject>

#include <functional>

namespace vrim {

class Platform;

// The whole program minus the event loop: its windows by name, the ticker that drives the
// clocks, and start-up.
class Program {
public:
    Program(Platform &platform, DataFolders folders, std::function<void()> onEnd);

    WindowRegistry &registry() { return m_registry; }
    SecondTicker &ticker() { return m_ticker; }
    const DataFolders &folders() const { return m_folders; }
    // What the internet-time window reaches outside the program; tests replace it.

    // False when the first start could not set up the settings; the program then ends.
    bool start();

private:
    // Every design's clock lives in the one clock window.
    void defineClock(Design design);

    Platform &m_platform;
    DataFolders m_folders;
    std::function<void()> m_onEnd;
    QObject m_endCheck; // context of the queued end check, gone with the program
    SecondTicker m_ticker;
    WindowRegistry m_registry; // last: its windows use the ticker while they close
};

} // namespace vrim
