#pragma once

#include "base/Geometry.h"

#include <QString>
#include <QtGlobal>

namespace vrim {

class TimeSource;

namespace stopwatch {

inline const QString Start = QStringLiteral("Start");
inline const QString Stop = QStringLiteral("Stop");
inline const QString Reset = QStringLiteral("Reset");
inline const QString BothStart = QStringLiteral("Sincronized Start");
inline const QString BothStop = QStringLiteral("Sincronized Stop");
inline const QString BothReset = QStringLiteral("Sincronized Reset");

inline constexpr ColourValue OnTopOn = rgbValue(192, 255, 120);
inline constexpr ColourValue OnTopOff = rgbValue(255, 0, 0);

// No change of the seconds for this long on the monotonic clock means the time of day was set
// or the machine slept: one second is counted and the wait starts over from what the clock says.
inline constexpr qint64 WaitBoundMs = 1500;

// Elapsed time, counted a second at a time. Each box shows the whole of it in its own unit.
struct Counts {
    qint32 totalSeconds = 0;
    qint32 secondOfMinute = 0;
    qint32 totalMinutes = 0;
    qint32 minuteOfHour = 0;
    qint32 hours = 0;

    void advance();
    bool operator==(const Counts &) const = default;
};

// One stopwatch: its button caption is its state.
struct Watch {
    QString caption = Start;
    bool running = false;
    QString startStamp; // "HH:MM:SS" and two spaces
    QString stopStamp;
    Counts counts;
    bool counted = false; // the boxes stay empty until the first counted second

    QString hoursText() const { return counted ? QString::number(counts.hours) : QString(); }
    QString minutesText() const { return counted ? QString::number(counts.totalMinutes) : QString(); }
    QString secondsText() const { return counted ? QString::number(counts.totalSeconds) : QString(); }

    // Where the count stands against the time of day: the seconds last seen and when, on the
    // monotonic clock.
    int seenSecond = 0;
    qint64 seenAt = 0;
};

} // namespace stopwatch

// The Gantos window's two stopwatches and the buttons that drive them. Counting: each counted
// second is one change of the time of day's seconds, seen in the passes of the shared second
// ticker (just after each wall-clock second) instead of a wait on the interface thread. A pass
// counts every change since the last one, but never more seconds than the monotonic clock saw
// go by, so setting the time of day neither stalls the count nor makes it jump.
class StopwatchModel {
public:
    explicit StopwatchModel(TimeSource &time);

    // One pass of the ticker.
    void pass();

    void clickFirst();  // Command1
    void clickSecond(); // Command2
    void clickBoth();   // Command3

    const stopwatch::Watch &first() const { return m_first; }
    const stopwatch::Watch &second() const { return m_second; }
    bool secondEnabled() const { return m_secondEnabled; }
    const QString &bothCaption() const { return m_bothCaption; }
    bool bothEnabled() const { return m_bothEnabled; }
    // The time of day as the last pass read it (Atime, Atimee).
    const QString &clockText() const { return m_clockText; }

    ColourValue onTopColour() const { return m_onTopColour; }
    // The on-top switch: answers whether the window is now to be kept on top.
    bool toggleOnTop();

private:
    struct Reading {
        QString text;
        int second = 0;
        qint64 monotonic = 0;
    };
    Reading read();
    // Counts what the time of day says has gone by since the watch last looked.
    static void catchUp(stopwatch::Watch &watch, const Reading &now);
    static void start(stopwatch::Watch &watch, const Reading &now);
    static void stop(stopwatch::Watch &watch, const Reading &now);
    static void reset(stopwatch::Watch &watch);

    TimeSource &m_time;
    stopwatch::Watch m_first;
    stopwatch::Watch m_second;
    bool m_secondEnabled = false;
    QString m_bothCaption = stopwatch::BothStart;
    bool m_bothEnabled = true;
    QString m_clockText;
    ColourValue m_onTopColour = stopwatch::OnTopOn;
};

} // namespace vrim
