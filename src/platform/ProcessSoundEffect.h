#pragma once

#include "platform/SoundEffect.h"

#include <QObject>
#include <QProcess>
#include <QStringList>

namespace vrim {

// A wave file played by the desktop's player for sound files, one short process a chime: paplay,
// from PulseAudio's tools, which PipeWire's sound server answers too. Between chimes nothing of
// the sound libraries is in the program's memory; played in the program, they stayed for good
// after the first chime, over two megabytes of it. The program only checks that the file is a
// wave file; the player decodes and plays it, and one that cannot ends at once.
class ProcessSoundEffect final : public SoundEffect {
public:
    // `player` is run with `arguments` and the file's path last.
    ProcessSoundEffect(QString player, QStringList arguments);
    // A sound still playing stops with it.
    ~ProcessSoundEffect() override;
    ProcessSoundEffect(const ProcessSoundEffect &) = delete;
    ProcessSoundEffect &operator=(const ProcessSoundEffect &) = delete;

    // The desktop's player, or nothing when none is installed: the chimes are then silent.
    static std::unique_ptr<SoundEffect> desktopPlayer();

    void onChange(std::function<void()> playingChanged, std::function<void()> statusChanged) override;
    void setSource(const QUrl &source) override;
    QUrl source() const override { return m_source; }
    Status status() const override { return m_status; }
    bool isPlaying() const override { return m_process.state() != QProcess::NotRunning; }
    void play() override;
    // Ends the sound at once, and says so before it returns.
    void stop() override;

private:
    void setStatus(Status status);

    QString m_player;
    QStringList m_arguments;
    QProcess m_process;
    QUrl m_source;
    Status m_status = Status::Null;
    std::function<void()> m_playingChanged;
    std::function<void()> m_statusChanged;
    QObject m_context; // of the waiting check of a file, dropped with the sound
};

} // namespace vrim
