#pragma once

#include "session/SessionFiles.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vrim {

// The two choices of the program's menu that belong to the desktop session: start with the
// desktop, and reopen the clocks where they were left. Both are off until the user turns them
// on, so a user who never opens the menu sees the program as it always was.
class SessionOptions {
public:
    SessionOptions(SessionFiles files, QString program);

    const SessionFiles &files() const { return m_files; }

    // From the options file; off when it is missing or says nothing usable.
    bool reopens() const;
    // Whether the autostart entry is there: the desktop starts the program by it, whatever
    // the options file says.
    bool startsWithDesktop() const;

    // Each answers why it could not be done, or nothing; nothing changes then.
    std::optional<QString> setReopens(bool on);
    std::optional<QString> setStartsWithDesktop(bool on);

    // The autostart entry that starts `program`, or nothing when its path cannot be written in
    // a desktop entry.
    static std::optional<QByteArray> autostartEntry(const QString &program);

private:
    std::optional<QString> setOption(const char *key, bool on);

    SessionFiles m_files;
    QString m_program;
};

} // namespace vrim
