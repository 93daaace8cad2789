#pragma once

#include "platform/SoundPlayer.h"

#include <QSoundEffect>

namespace vrim {

// Plays the chime's wave file through the desktop's sound server. A file that is missing or not
// a wave file stays silent: nothing else depends on the sound.
class QtSoundPlayer final : public SoundPlayer {
public:
    QtSoundPlayer();
    void prepare(const QString &waveFile) override;
    void command(const QString &word) override;

    // What the player holds open ("" when closed) and whether a chime is under way.
    QString openFile() const { return m_open ? m_effect.source().toLocalFile() : QString(); }
    bool isSounding() const { return m_started; }
    // How often a file was handed to the sound library, each time read and decoded afresh.
    int loads() const { return m_loads; }

private:
    void open();

    QSoundEffect m_effect;
    QString m_prepared;
    bool m_open = false;
    bool m_started = false; // a Play is under way; its end is the completion to report
    bool m_playWhenLoaded = false;
    int m_loads = 0;
};

} // namespace vrim
