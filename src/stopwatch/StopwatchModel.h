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

// Elapsed time in whole seconds. Each box shows the whole of it in its own unit.
struct Counts {
    qint32 totalSeconds = 0;
    qint32 secondOfMinute = 0;
    qint32 totalMinutes = 0;
    qint32 minuteOfHour = 0;
    qint32 hours = 0;

    // The counts after this many seconds; past what the boxes can hold they stay at the most.
    static Counts after(qint64 seconds);
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

    // When the run started on the monotonic clock, and how far into its second the time of day
    // then was: a second is counted each time the time of day would reach a new second had
    // nobody set it since.
    qint64 startedAt = 0;
    qint64 startedIntoSecondMs = 0;
};

} // namespace stopwatch

// The Gantos window's two stopwatches and the buttons that drive them. Counting: the passes of
// the shared second ticker (just after each wall-clock second) bring the count up to the whole
// seconds that went by since the start, measured on the monotonic clock from the point in the
// second at which the run began. Left alone, the time of day and that clock run together, so
// the count steps with the seconds shown and agrees with the start and stop stamps; setting the
// time of day neither adds nor takes away a second, and time the machine slept counts.
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
        qint64 intoSecondMs = 0; // of the time of day the text shows
        qint64 monotonic = 0;
    };
    Reading read();
    // Counts the seconds gone by since the start.
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
