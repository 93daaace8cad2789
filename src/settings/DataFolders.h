#pragma once

#include <QString>
#include <QStringView>

namespace vrim {

// Turns a path from anywhere in the program (written with backslashes, as the settings files
// and the folder names have always been spelt) into a real path on this machine. Names match
// without regard to letter case, so "\Settings\jolvexprefs.prf" finds "Settings/Jolvexprefs.prf"
// on a case-sensitive file system.
class DataFolders {
public:
    explicit DataFolders(const QString &programFolder);

    const QString &programFolder() const { return m_programFolder; }

    // programFolder + relative, e.g. path(u"\\Settings\\Dovpref.prf").
    QString path(QStringView relative) const;
    // The settings folder with a trailing separator.
    QString settingsPath() const;

    // A path as stored in a settings file: either separator, any letter case.
    static QString resolveStored(const QString &stored);

private:
    QString m_programFolder;
};

} // namespace vrim
