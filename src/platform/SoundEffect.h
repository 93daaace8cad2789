#pragma once

#include <QUrl>

#include <functional>

namespace vrim {

// One wave file played through the desktop's sound server: what QtSoundPlayer needs of a player
// (ProcessSoundEffect, or a test's stand-in).
class SoundEffect {
public:
    enum class Status { Null, Loading, Ready, Error };

    virtual ~SoundEffect() = default;
    // Called each time whether it plays, or its status, changes.
    virtual void onChange(std::function<void()> playingChanged, std::function<void()> statusChanged) = 0;
    virtual void setSource(const QUrl &source) = 0;
    virtual QUrl source() const = 0;
    virtual Status status() const = 0;
    virtual bool isPlaying() const = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
};

} // namespace vrim
