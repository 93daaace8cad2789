#pragma once

#include "platform/Timer.h"

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace vrim {

// Wakes the clocks when what they show can change: just after each new second of the wall
// clock, and at once when one of them asks for a pass. Between those the process sleeps. The
// wait is worked out afresh from the wall clock each time and never exceeds a second, so setting
// the system clock or waking from sleep puts it right by the next pass.
// A QObject only so that windows outliving it (deleted late, at exit) can tell it is gone.
class SecondTicker : public QObject {
public:
    using WallClock = std::function<qint64()>; // milliseconds since the epoch

    SecondTicker(std::unique_ptr<Timer> timer, WallClock wallClock);

    ~SecondTicker() override;

    // Slack after the second boundary, so a pass never lands just before it.
    static constexpr int Slack = 2;
    static int delayToNextSecond(qint64 nowMs);

    int subscribe(std::function<void()> pass);
    void unsubscribe(int id);
    // Runs one pass of this subscriber soon, on its own (a drag ended, a reload was asked for).
    void passSoon(int id);

    bool isRunning() const { return m_timer->isActive(); }

private:
    void wake();
    void schedule();

    std::unique_ptr<Timer> m_timer;
    WallClock m_wallClock;
    std::map<int, std::function<void()>> m_subscribers;
    std::map<int, bool> m_soon;
    bool m_wakeForSoon = false;
    int m_nextId = 1;
    // Passes at a second since the heap's free pages were last handed back.
    static constexpr int SecondsBetweenTrims = 3600;
    int m_secondsSinceTrim = 0;
};

} // namespace vrim
