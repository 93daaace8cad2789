#pragma once

#include "base/Geometry.h"
#include "platform/ClockSetter.h"
#include "platform/SoundPlayer.h"
#include "platform/TcpReader.h"
#include "platform/TimeSource.h"
#include "platform/Timer.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

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

// The open-file chooser. The filter list is written "Description|pattern|Description|pattern";
// `selected` is the index of the pre-selected pair; `lastName` is what the chooser returned last
// (it starts there), else it starts in `startFolder`. Answers the chosen file's full path, or the
// empty text when cancelled.
class Choosers {
public:
    virtual ~Choosers() = default;
    virtual QString chooseFile(const QString &filterList, int selected, const QString &lastName,
                               const QString &startFolder) = 0;
    // The colour chooser, opening on `start`: the chosen colour, or nothing when cancelled.
    virtual std::optional<ColourValue> chooseColour(ColourValue start) = 0;
};

// Whether a picture file can be shown, and if not, why.
class Pictures {
public:
    virtual ~Pictures() = default;
    // The empty text when the picture can be shown, else the reason in words.
    virtual QString problemShowing(const QString &path) = 0;
};

// Everything the logic needs from the platform, handed in so tests can replace all of it.
class Platform {
public:
    virtual ~Platform() = default;
    virtual Messages &messages() = 0;
    virtual Shell &shell() = 0;
    virtual std::unique_ptr<Timer> makeTimer() = 0;
    virtual std::unique_ptr<SoundPlayer> makePlayer() = 0;
    // A new connection to a server; nothing when the network cannot be reached.
    virtual std::unique_ptr<TcpReader> makeTcpReader() = 0;
    virtual TimeSource &time() = 0;
    virtual Choosers &choosers() = 0;
    virtual Pictures &pictures() = 0;
    virtual ClockSetter &clockSetter() = 0;
};

} // namespace vrim
