#include "settings/DataFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace vrim {
namespace {

// Walks the components below base, taking the on-disk spelling of each one that exists.
// Once a component is missing, the rest is kept as given: it names something to be created.
QString resolveBelow(QString base, QStringView relative)
{
    static const QRegularExpression separators(QStringLiteral("[\\\\/]+"));
    const QStringList parts = relative.toString().split(separators, Qt::SkipEmptyParts);
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

} // namespace

DataFolders::DataFolders(const QString &programFolder)
    : m_programFolder(withoutTrailingSeparator(programFolder))
{}

QString DataFolders::path(QStringView relative) const { return resolveBelow(m_programFolder, relative); }

QString DataFolders::settingsPath() const { return path(u"\\Settings\\") + u'/'; }

QString DataFolders::resolveStored(const QString &stored)
{
    if (stored.isEmpty())
        return stored;
    QString unified = stored;
    unified.replace(u'\\', u'/');
    if (!unified.startsWith(u'/'))
        return unified; // relative paths are not ours to guess at
    return resolveBelow(QStringLiteral("/"), unified);
}

} // namespace vrim
