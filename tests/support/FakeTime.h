#pragma once

#include "platform/TimeSource.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace vrim::test {

// The time of day as a test sets it. Scripted readings are handed out first, one per reading,
// so a pass that straddles a second is an ordinary case; after them every reading is `now`.
class FakeTime final : public TimeSource {
public:
    QString now = QStringLiteral("00:00:00");
    QStringList script;
    qint64 wallMs = 0;
    qint64 monoMs = 0;
    std::optional<QTimeZone> systemZone = SystemTimeSource().zone();

    QString timeText() override { return script.isEmpty() ? now : script.takeFirst(); }
    QDate date() override { return {2026, 12, 7}; }
    qint64 wallClockMs() override { return wallMs; }
    qint64 monotonicMs() override { return monoMs; }
    std::optional<QTimeZone> zone() override { return systemZone; }
};

} // namespace vrim::test
