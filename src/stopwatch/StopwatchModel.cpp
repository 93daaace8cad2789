#include "stopwatch/StopwatchModel.h"

#include "platform/TimeSource.h"

#include <algorithm>

namespace vrim {

using namespace stopwatch;

void Counts::advance()
{
    ++totalSeconds;
    if (++secondOfMinute == 60) {
        secondOfMinute = 0;
        ++totalMinutes;
        ++minuteOfHour;
    }
    if (minuteOfHour == 60) {
        minuteOfHour = 0;
        ++hours;
    }
}

StopwatchModel::StopwatchModel(TimeSource &time)
    : m_time(time)
    , m_clockText(time.timeText())
{}

StopwatchModel::Reading StopwatchModel::read()
{
    Reading now;
    now.text = m_time.timeText();
    now.second = std::clamp(now.text.mid(6, 2).toInt(), 0, 59);
    now.monotonic = m_time.monotonicMs();
    return now;
}

void StopwatchModel::catchUp(Watch &watch, const Reading &now)
{
    if (!watch.running)
        return;
    const int changes = (now.second - watch.seenSecond + 60) % 60;
    const qint64 elapsed = std::max<qint64>(0, now.monotonic - watch.seenAt);
    int count = 0;
    if (changes == 0) {
        if (elapsed < WaitBoundMs)
            return; // still waiting for the next second
        count = 1;
    } else {
        // A change of the seconds can come at most once a second: more changes than the
        // monotonic clock allows mean the time of day was set forward.
        const qint64 allowed = (elapsed + 999) / 1000;
        count = int(std::min<qint64>(changes, allowed));
    }
    for (int i = 0; i < count; ++i)
        watch.counts.advance();
    if (count > 0)
        watch.counted = true;
    watch.seenSecond = now.second;
    watch.seenAt = now.monotonic;
}

void StopwatchModel::start(Watch &watch, const Reading &now)
{
    watch.startStamp = now.text + QStringLiteral("  ");
    watch.running = true;
    watch.caption = Stop;
    watch.seenSecond = now.second;
    watch.seenAt = now.monotonic;
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
