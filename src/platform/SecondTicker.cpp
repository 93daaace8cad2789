#include "platform/SecondTicker.h"

#include "platform/FreePages.h"

#include <QLoggingCategory>

// Off unless asked for (QT_LOGGING_RULES="vrim.tick.info=true"): the benchmark reads it.
Q_LOGGING_CATEGORY(lcTick, "vrim.tick", QtWarningMsg)

namespace vrim {

SecondTicker::SecondTicker(std::unique_ptr<Timer> timer, WallClock wallClock)
    : m_timer(std::move(timer))
    , m_wallClock(std::move(wallClock))
{
    connect(m_timer.get(), &Timer::timeout, this, &SecondTicker::wake);
}

SecondTicker::~SecondTicker() = default;

int SecondTicker::delayToNextSecond(qint64 nowMs)
{
    const qint64 intoSecond = ((nowMs % 1000) + 1000) % 1000;
    return int(1000 - intoSecond) + Slack;
}

int SecondTicker::subscribe(std::function<void()> pass)
{
    const int id = m_nextId++;
    m_subscribers.emplace(id, std::move(pass));
    schedule();
    return id;
}

void SecondTicker::unsubscribe(int id)
{
    m_subscribers.erase(id);
    m_soon.erase(id);
    schedule();
}

void SecondTicker::passSoon(int id)
{
    if (!m_subscribers.contains(id))
        return;
    m_soon[id] = true;
    schedule();
}

void SecondTicker::wake()
{
    // A wake for requested passes runs only those who asked; a wake at a second runs everyone.
    const bool atSecond = !m_wakeForSoon;
    if (atSecond)
        qCInfo(lcTick, "pass at +%d ms", int(((m_wallClock() % 1000) + 1000) % 1000));
    std::map<int, bool> soon;
    soon.swap(m_soon);
    // Copy the ids first: a pass may unsubscribe (a clock that closes itself).
    std::vector<int> ids;
    for (const auto &[id, pass] : m_subscribers)
        if (atSecond || soon.contains(id))
            ids.push_back(id);
    for (int id : ids)
        if (const auto it = m_subscribers.find(id); it != m_subscribers.end())
            it->second();
    if (atSecond && ++m_secondsSinceTrim >= SecondsBetweenTrims) {
        m_secondsSinceTrim = 0;
        // Every second's pass makes and frees small blocks among the ones that stay (a face's
        // words, a region to repaint): once an hour the pages they leave free go back.
        giveFreePagesBack();
    }
    schedule();
}

void SecondTicker::schedule()
{
    if (m_subscribers.empty()) {
        m_timer->stop();
        return;
    }
    m_wakeForSoon = !m_soon.empty();
    m_timer->start(m_wakeForSoon ? 0 : delayToNextSecond(m_wallClock()));
}

} // namespace vrim
