#pragma once

#include "session/OpenWindows.h"

#include <QList>
#include <QObject>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

namespace vrim {

class Platform;
class Timer;
class WindowRegistry;

// Keeps the record of the windows left open, so that the next start opens them again where they
// were. The record follows the windows as they open, move, change how they stay on top and
// close, written a moment after each change and whole, so it survives any ending; the windows
// that go because the program ends (the Exit bar's sweep, the end of the session, a signal) are
// not recorded as closed.
class WindowKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int SettleMs = 500; // a drag's moves come together into one write

    WindowKeeper(WindowRegistry &registry, Platform &platform, QString record,
                 std::function<QList<QRect>()> screens);
    ~WindowKeeper() override;

    // Starts keeping the record (written at once) or stops and removes it.
    void setKeeping(bool on);
    // Opens the recorded windows at their places. A record that cannot be used is reported once
    // and left to be written over.
    void reopen();
    // The program is ending: a change waiting is written, nothing after it.
    void stop();

private:
    void changed(const QString &window);
    void settle();
    void write();

    WindowRegistry &m_registry;
    Platform &m_platform;
    QString m_record;
    std::function<QList<QRect>()> m_screens;
    std::unique_ptr<Timer> m_settle;
    bool m_keeping = false;
    bool m_stopped = false;
    bool m_reopening = false;
    bool m_failing = false; // the last save failed, and said so
};

} // namespace vrim
