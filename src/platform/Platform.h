#pragma once

#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"
#include "platform/Timer.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace vrim {

// Modal message boxes with an OK button only; inform() returns once the user has closed it.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void inform(const QString &text) = 0;
    // The same, without waiting: for trouble found while a clock ticks, which must tick on.
    virtual void warn(const QString &text) = 0;
};

// The desktop shell: web pages in the user's browser, other programs started without a shell.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openPage(const QString &address) = 0;
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
};

// Everything the logic needs from the platform, handed in so tests can replace all of it.
class Platform {
public:
    virtual ~Platform() = default;
    virtual Messages &messages() = 0;
    virtual Shell &shell() = 0;
    virtual std::unique_ptr<Timer> makeTimer() = 0;
    virtual std::unique_ptr<SoundPlayer> makePlayer() = 0;
    virtual TimeSource &time() = 0;
};

} // namespace vrim
