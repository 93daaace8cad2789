#pragma once

#include "platform/SoundPlayer.h"

#include "platform/ProcessSoundEffect.h"

#include <QUrl>

#include <functional>

#include <memory>

namespace vrim {

// Plays the chime's wave file through the desktop's sound server. A file that is missing or not
// a wave file stays silent: nothing else depends on the sound.
// Open only names the file; the player starts with the first Play of a real file that is not
// closed again in the same pass, so a clock whose chime is not due yet, or never comes, does not
// pay for it. Without the desktop's player for sound files every chime is silent.
class QtSoundPlayer final : public SoundPlayer {
public:
    // Makes the sound for the first Play; nothing when there is no player.
    using EffectMaker = std::function<std::unique_ptr<SoundEffect>()>;

    explicit QtSoundPlayer(EffectMaker makeEffect = ProcessSoundEffect::desktopPlayer);
    ~QtSoundPlayer() override;
    void prepare(const QString &waveFile) override;
    void command(const QString &word) override;

    // What the player holds open ("" when closed) and whether a chime is under way.
    QString openFile() const { return m_open ? m_source.toLocalFile() : QString(); }
    bool isSounding() const { return m_started; }
    // How often a file was handed to the player, each time read and checked afresh.
    int loads() const { return m_loads; }
    // Whether the player has been made for this chime player.
    bool hasStartedPlayer() const { return m_effect != nullptr; }

private:
    void open();
    void play();
    void startPlaying();
    SoundEffect *effect();

    EffectMaker m_makeEffect;
    std::unique_ptr<SoundEffect> m_effect; // made by the first Play of a real file
    QString m_prepared;
    QUrl m_source; // what Open opened: empty for a file the player must not see
    bool m_open = false;
    bool m_started = false; // a Play is under way; its end is the completion to report
    bool m_playWhenLoaded = false;
    bool m_startPending = false; // a Play waits for the event loop
    int m_loads = 0;
    QObject m_context; // the waiting Play's, dropped with the player
};

} // namespace vrim
