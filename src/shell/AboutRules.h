#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace vrim {

class Messages;
class Shell;

namespace about {

// Answers the full path of a program found on the PATH, or an empty string.
using FindOnPath = std::function<QString(const QString &program)>;

QString caption(const QString &programTitle);
// "Version 1.0.5": major, minor and patch as plain numbers, whatever padding the string has.
QString versionText(const QString &version);

QString description();
QString visitText();
QString linkText();
QString disclaimer();
QString unavailableText();

// The desktops' system-information programs, most informative first.
const QStringList &systemInfoPrograms();
QString findOnSystemPath(const QString &program);

// Starts the first system-information program found, without a shell; tells the user when
// there is none or it would not start.
void startSysInfo(Shell &shell, Messages &messages, const FindOnPath &findOnPath = findOnSystemPath);

} // namespace about
} // namespace vrim
