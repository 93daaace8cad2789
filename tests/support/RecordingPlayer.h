#pragma once

#include "platform/SoundPlayer.h"

#include <QStringList>

namespace vrim::test {

// Writes down every command a clock sends.
class RecordingPlayer final : public SoundPlayer {
public:
    QStringList log;

    void prepare(const QString &waveFile) override { log.append(QStringLiteral("prepare ") + waveFile); }
    void command(const QString &word) override { log.append(word); }
};

} // namespace vrim::test
