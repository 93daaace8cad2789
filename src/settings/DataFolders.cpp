#include "settings/DataFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <unistd.h>

namespace vrim {
namespace {

// Walks the components below base, taking the on-disk spelling of each one that exists.
// Once a component is missing, the rest is kept as given: it names something to be created.
QStringList componentsOf(QStringView path)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]+"));
    return path.toString().split(separators, Qt::SkipEmptyParts);
}

QString resolveBelow(QString base, QStringView relative)
{
    const QStringList parts = componentsOf(relative);
    bool probing = true;
    for (const QString &part : parts) {
        const QString parent = base.endsWith(u'/') ? base : base + u'/';
        QString next = parent + part;
        if (probing && !QFileInfo::exists(next)) {
            probing = false;
            const QStringList entries =
                QDir(base.isEmpty() ? QStringLiteral("/") : base)
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
            for (const QString &entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    next = parent + entry;
                    probing = true;
                    break;
                }
            }
        }
        base = next;
    }
    return base;
}

QString withoutTrailingSeparator(QString folder)
{
    folder.replace(u'\\', u'/');
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

bool isSettings(QStringView relative)
{
    const QStringList parts = componentsOf(relative);
    return !parts.isEmpty() && parts.first().compare(u"Settings", Qt::CaseInsensitive) == 0;
}

// The folders that come with the program; stored paths into them follow the program.
bool isInstalledFolder(const QString &name)
{
    for (const char16_t *folder : {u"Skins", u"Sounds", u"Helps"})
        if (name.compare(QStringView(folder), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

DataFolders::DataFolders(const QString &programFolder)
    : DataFolders(programFolder, programFolder)
{}

DataFolders::DataFolders(const QString &programFolder, const QString &settingsHome)
    : m_programFolder(withoutTrailingSeparator(programFolder))
    , m_settingsHome(withoutTrailingSeparator(settingsHome))
{}

DataFolders DataFolders::forProgram(const QString &programFolder, const QString &userFolder)
{
    // The first start makes Settings (through a folder built beside it) in the program folder,
    // which takes the right to add entries to it. access() also says no on a read-only mount.
    const bool writable = ::access(QFile::encodeName(programFolder).constData(), W_OK | X_OK) == 0;
    if (writable || userFolder.isEmpty())
        return DataFolders(programFolder);
    return DataFolders(programFolder, userFolder);
}

QString DataFolders::userDataFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? data : data + QStringLiteral("/vrimclocks");
}

QString DataFolders::path(QStringView relative) const
{
    return resolveBelow(isSettings(relative) ? m_settingsHome : m_programFolder, relative);
}

QString DataFolders::settingsPath() const { return path(u"\\Settings\\") + u'/'; }

QString DataFolders::resolveStored(const QString &stored) const
{
    if (stored.isEmpty())
        return stored;
    QString unified = stored;
    unified.replace(u'\\', u'/');
    if (!unified.startsWith(u'/'))
        return unified; // relative paths are not ours to guess at
    const QString resolved = resolveBelow(QStringLiteral("/"), unified);
    if (QFileInfo::exists(resolved))
        return resolved;

    // Gone from where it was: if it was the program's own, "<old folder>/Skins/Quenz/dunga.jpg",
    // take the same file from this program folder. The longest such tail decides first.
    const QStringList parts = componentsOf(unified);
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        if (!isInstalledFolder(parts[i]))
            continue;
        const QString here = resolveBelow(m_programFolder, parts.mid(i).join(u'/'));
        if (QFileInfo(here).isFile())
            return here;
    }
    return resolved;
}

} // namespace vrim
