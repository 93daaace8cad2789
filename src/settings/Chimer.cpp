#include "settings/Chimer.h"

#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"

#include <utility>

namespace vrim {

bool Chimer::pass(const QString &chime, SoundMenu &menu, TimeSource &time, SoundPlayer &player,
                  std::optional<int> unitsFromFace)
{
    if (!chimeDue(chime, menu, time, m_design, unitsFromFace)) {
        m_dueIn.clear();
        return false;
    }
    const QString now = time.timeText();
    const QString dueTime = m_design.needsSecondZero ? now : now.left(5);
    // Still in the due time the pass before was in: the clock came to it then.
    if (std::exchange(m_dueIn, dueTime) == dueTime)
        return false;
    const qint64 nowMs = time.monotonicMs();
    if (m_chimedAtMs && nowMs - *m_chimedAtMs < QuietMs)
        return false;
    m_chimedAtMs = nowMs;
    player.command(QStringLiteral("Open"));
    player.command(m_design.playWord);
    return true;
}

} // namespace vrim
