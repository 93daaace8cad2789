#include "stopwatch/StopwatchModel.h"

#include "platform/TimeSource.h"

#include <algorithm>
#include <limits>

namespace vrim {

using namespace stopwatch;

Counts Counts::after(qint64 seconds)
{
    const qint32 total = qint32(std::clamp<qint64>(seconds, 0, std::numeric_limits<qint32>::max()));
    Counts counts;
    counts.totalSeconds = total;
    counts.secondOfMinute = total % 60;
    counts.totalMinutes = total / 60;
    counts.minuteOfHour = counts.totalMinutes % 60;
    counts.hours = counts.totalMinutes / 60;
    return counts;
}

StopwatchModel::StopwatchModel(TimeSource &time)
    : m_time(time)
    , m_clockText(time.timeText())
{}

StopwatchModel::Reading StopwatchModel::read()
{
    Reading now;
    // The text and the point in its second come from one second of the wall clock: read again
    // when the two readings straddle a change of the second.
    for (int tries = 0; tries < 3; ++tries) {
        const qint64 before = m_time.wallClockMs();
        now.text = m_time.timeText();
        const qint64 after = m_time.wallClockMs();
        now.intoSecondMs = (after % 1000 + 1000) % 1000;
        if (after - now.intoSecondMs <= before)
            break;
    }
    now.monotonic = m_time.monotonicMs();
    return now;
}

void StopwatchModel::catchUp(Watch &watch, const Reading &now)
{
    if (!watch.running)
        return;
    const qint64 elapsed = std::max<qint64>(0, now.monotonic - watch.startedAt);
    const qint64 seconds = (elapsed + watch.startedIntoSecondMs) / 1000;
    if (seconds <= watch.counts.totalSeconds)
        return;
    watch.counts = Counts::after(seconds);
    watch.counted = true;
}

void StopwatchModel::start(Watch &watch, const Reading &now)
{
    watch.startStamp = now.text + QStringLiteral("  ");
    watch.running = true;
    watch.caption = Stop;
    watch.startedAt = now.monotonic;
    watch.startedIntoSecondMs = now.intoSecondMs;
}

void StopwatchModel::stop(Watch &watch, const Reading &now)
{
    // Seconds that changed since the last pass belong to this run: the count matches the stamps.
    catchUp(watch, now);
    watch.stopStamp = now.text + QStringLiteral("  ");
    watch.running = false;
    watch.caption = Reset;
}

void StopwatchModel::reset(Watch &watch) { watch = Watch{}; }

void StopwatchModel::pass()
{
    if (m_first.caption == Stop && m_second.caption == Stop)
        m_bothCaption = BothStop; // its enabled state stays as the buttons left it
    const Reading now = read();
    m_clockText = now.text;
    // One reading for both: when both run they advance in the same pass.
    catchUp(m_first, now);
    catchUp(m_second, now);
}

void StopwatchModel::clickFirst()
{
    m_secondEnabled = true;
    if (m_first.caption == Reset) {
        reset(m_first);
        if (!m_second.running)
            m_secondEnabled = false;
    } else if (m_first.caption == Stop) {
        stop(m_first, read());
        m_bothEnabled = false;
        if (m_second.caption == Reset) {
            m_bothEnabled = true;
            m_bothCaption = BothReset;
        }
        if (!m_second.running)
            m_secondEnabled = false;
    } else {
        start(m_first, read());
        m_bothEnabled = false;
    }
    if (m_first.caption == Start && m_second.caption == Start) {
        m_bothCaption = BothStart;
        m_bothEnabled = true;
    }
}

void StopwatchModel::clickSecond()
{
    if (!m_secondEnabled)
        return;
    if (m_second.caption == Reset) {
        reset(m_second);
        if (m_first.caption == Stop)
            m_secondEnabled = false;
    } else if (m_second.caption == Stop) {
        stop(m_second, read());
        m_bothEnabled = false;
        if (m_first.caption == Reset) {
            m_bothEnabled = true;
            m_bothCaption = BothReset;
        }
    } else {
        start(m_second, read());
    }
    if (m_first.caption == Start && m_second.caption == Start) {
        m_bothCaption = BothStart;
        m_bothEnabled = true;
    }
}

void StopwatchModel::clickBoth()
{
    if (!m_bothEnabled)
        return;
    m_secondEnabled = true;
    if (m_bothCaption == BothStop) {
        // One reading for both, so the two stop on the same second with the same count.
        const Reading now = read();
        stop(m_second, now);
        stop(m_first, now);
        m_bothCaption = BothReset;
    } else if (m_bothCaption == BothStart) {
        const Reading now = read();
        start(m_second, now);
        start(m_first, now);
        m_bothCaption = BothStop;
    } else if (m_bothCaption == BothReset) {
        reset(m_first);
        reset(m_second);
        m_bothCaption = BothStart;
    }
}

bool StopwatchModel::toggleOnTop()
{
    m_onTopColour = m_onTopColour == OnTopOff ? OnTopOn : OnTopOff;
    return m_onTopColour == OnTopOn;
}

} // namespace vrim
