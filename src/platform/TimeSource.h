#pragma once

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QString>
#include <QTime>

namespace vrim {

// The time of day as the clocks read it: "HH:MM:SS", 24-hour, two digits a field. Every call
// is a fresh reading, so two readings in one pass may straddle a second.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual QString timeText() = 0;
    // Today's date, a fresh reading too: what tells 10:05 today from 10:05 tomorrow.
    virtual QDate date() = 0;
    // The wall clock, for working out when the next second begins.
    virtual qint64 wallClockMs() = 0;
    // Milliseconds on a clock that never jumps (setting the time of day, a summer-time change):
    // for counting how long something has run, as the stopwatch does.
    virtual qint64 monotonicMs() = 0;
};

class SystemTimeSource final : public TimeSource {
public:
    QString timeText() override { return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")); }
    QDate date() override { return QDate::currentDate(); }
    qint64 wallClockMs() override { return QDateTime::currentMSecsSinceEpoch(); }
    qint64 monotonicMs() override
    {
        static const QElapsedTimer since = [] {
            QElapsedTimer started;
            started.start();
            return started;
        }();
        return since.elapsed();
    }
};

} // namespace vrim
