#include "shell/AboutRules.h"

#include "platform/Platform.h"

#include <QStandardPaths>
#include <QVersionNumber>

namespace vrim::about {

QString caption(const QString &programTitle) { return QStringLiteral("About ") + programTitle; }

QString versionText(const QString &version)
{
    // Missing parts count as 0, and "01" reads as 1.
    const QVersionNumber number = QVersionNumber::fromString(version);
    return QStringLiteral("Version %1.%2.%3")
        .arg(number.majorVersion())
        .arg(number.minorVersion())
        .arg(number.microVersion());
}

QString description() { return QStringLiteral("Desktop clocks, a stopwatch and internet time."); }

QString visitText()
{
    return QStringLiteral(
        "Visit Vrim Clocks web site for updates, notices and to expand your skins collection.");
}

QString linkText() { return QStringLiteral("Vrim Clocks Web Site"); }

QString disclaimer()
{
    return QStringLiteral(
        "Vrim Clocks comes with no warranty of any kind. Its skins and sounds are part of the "
        "program and go with it wherever it is copied.");
}

QString unavailableText() { return QStringLiteral("System Information Is Unavailable At This Time"); }

const QStringList &systemInfoPrograms()
{
    static const QStringList programs{
        QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
        QStringLiteral("cpu-x"),     QStringLiteral("lshw-gtk"), QStringLiteral("gnome-system-monitor"),
    };
    return programs;
}

QString findOnSystemPath(const QString &program) { return QStandardPaths::findExecutable(program); }

void startSysInfo(Shell &shell, Messages &messages, const FindOnPath &findOnPath)
{
    for (const QString &program : systemInfoPrograms()) {
        const QString path = findOnPath(program);
        if (path.isEmpty())
            continue;
        // Only the first one found is tried; if that will not start, the user is told.
        if (shell.startProgram(path, {}))
            return;
        break;
    }
    messages.inform(unavailableText());
}

} // namespace vrim::about
