#include "platform/QtTimer.h"

namespace vrim {

QtTimer::QtTimer()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Timer::timeout);
}

void QtTimer::start(int intervalMs) { m_timer.start(intervalMs); }
void QtTimer::stop() { m_timer.stop(); }
bool QtTimer::isActive() const { return m_timer.isActive(); }

} // namespace vrim
