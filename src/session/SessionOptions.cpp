#include "session/SessionOptions.h"

#include "BuildConfig.h"
#include "platform/LocalFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace vrim {
namespace {

QString tr(const char *text) { return QCoreApplication::translate("SessionOptions", text); }

QString group() { return QStringLiteral("Session/"); }

} // namespace

SessionOptions::SessionOptions(SessionFiles files, QString program)
    : m_files(std::move(files))
    , m_program(std::move(program))
{}

bool SessionOptions::reopens() const
{
    if (!files::isRegularFile(m_files.options))
        return false;
    const QSettings options(m_files.options, QSettings::IniFormat);
    return options.value(group() + QStringLiteral("reopen")).toString() == QStringLiteral("true");
}

bool SessionOptions::startsWithDesktop() const { return files::isRegularFile(m_files.autostart); }

std::optional<QString> SessionOptions::setOption(const char *key, bool on)
{
    if (!QDir().mkpath(QFileInfo(m_files.options).path()))
        return tr("the folder %1 could not be made")
            .arg(QDir::toNativeSeparators(QFileInfo(m_files.options).path()));
    if (QFileInfo::exists(m_files.options) && !files::isRegularFile(m_files.options))
        return tr("%1 is not a regular file").arg(QDir::toNativeSeparators(m_files.options));
    // QSettings saves the whole file beside it and renames it into place, keeping what else
    // the file holds.
    QSettings options(m_files.options, QSettings::IniFormat);
    options.setValue(group() + QLatin1String(key), on ? QStringLiteral("true") : QStringLiteral("false"));
    options.sync();
    if (options.status() != QSettings::NoError)
        return tr("%1 could not be saved").arg(QDir::toNativeSeparators(m_files.options));
    return std::nullopt;
}

std::optional<QString> SessionOptions::setReopens(bool on) { return setOption("reopen", on); }

std::optional<QString> SessionOptions::setStartsWithDesktop(bool on)
{
    const QString &entry = m_files.autostart;
    if (on) {
        const std::optional<QByteArray> bytes = autostartEntry(m_program);
        if (!bytes)
            return tr("the program's path %1 cannot be written in an autostart entry")
                .arg(files::shortQuote(m_program));
        if (!QDir().mkpath(QFileInfo(entry).path()))
            return tr("the folder %1 could not be made")
                .arg(QDir::toNativeSeparators(QFileInfo(entry).path()));
        if (auto why = files::writeWhole(entry, *bytes))
            return tr("%1 could not be saved: %2").arg(QDir::toNativeSeparators(entry), *why);
    } else if (QFileInfo(entry).isSymLink() || QFileInfo::exists(entry)) {
        if (!files::isRegularFile(entry) || !QFile::remove(entry))
            return tr("%1 could not be removed").arg(QDir::toNativeSeparators(entry));
    }
    return setOption("autostart", on);
}

std::optional<QByteArray> SessionOptions::autostartEntry(const QString &program)
{
    // The Exec key's rules: an argument holding a reserved character is quoted, and inside the
    // quotes ", `, $ and \ take a backslash; then the value's own escapes double every
    // backslash, and % is doubled for the field codes.
    QString quoted;
    bool needsQuotes = program.isEmpty();
    for (const QChar c : program) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return std::nullopt;
        if (QStringLiteral(" \t\"'\\><~|&;$*?#()`").contains(c))
            needsQuotes = true;
        if (QStringLiteral("\"`$\\").contains(c))
            quoted += u'\\';
        quoted += c;
    }
    if (needsQuotes)
        quoted = u'"' + quoted + u'"';
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'%', QStringLiteral("%%"));

    QByteArray bytes = "[Desktop Entry]\nType=Application\nName=";
    bytes += build::ProgramName;
    bytes += "\nComment=Desktop clocks, started with the desktop\nExec=";
    bytes += quoted.toUtf8();
    bytes += "\nIcon=";
    bytes += build::AppId;
    bytes += "\nTerminal=false\nX-GNOME-Autostart-enabled=true\n";
    return bytes;
}

} // namespace vrim
