#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <ctime>
#include <optional>

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
    // Milliseconds on a clock that nobody sets (setting the time of day or a summer-time change
    // leaves it alone) and that keeps counting while the machine sleeps: for how long something
    // has really run, as the stopwatch counts it.
    virtual qint64 monotonicMs() = 0;
    // The system's time zone (TZ honoured), or nothing when the system has none.
    virtual std::optional<QTimeZone> zone() = 0;
};

class SystemTimeSource final : public TimeSource {
public:
    QString timeText() override
    {
        // Every call reads the clock; the words are made once a second. The clocks read the
        // time many times a pass, and each copy handed out shares the one string.
        const int second = QTime::currentTime().msecsSinceStartOfDay() / 1000;
        if (second != m_second) {
            m_second = second;
            const int fields[3] = {second / 3600, second / 60 % 60, second % 60};
            QChar text[8];
            for (int i = 0; i < 3; ++i) {
                text[3 * i] = QChar(u'0' + fields[i] / 10);
                text[3 * i + 1] = QChar(u'0' + fields[i] % 10);
                if (i < 2)
                    text[3 * i + 2] = QChar(u':');
            }
            m_text = QString(text, 8);
        }
        return m_text;
    }
    QDate date() override { return QDate::currentDate(); }
    qint64 wallClockMs() override { return QDateTime::currentMSecsSinceEpoch(); }
    qint64 monotonicMs() override
    {
        timespec now{};
        if (clock_gettime(CLOCK_BOOTTIME, &now) != 0)
            clock_gettime(CLOCK_MONOTONIC, &now);
        return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
    }
    std::optional<QTimeZone> zone() override
    {
        QTimeZone system = QTimeZone::systemTimeZone();
        return system.isValid() ? std::optional<QTimeZone>(std::move(system)) : std::nullopt;
    }

private:
    int m_second = -1;
    QString m_text;
};

} // namespace vrim
