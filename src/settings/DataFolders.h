#pragma once

#include <QString>
#include <QStringView>

namespace vrim {

// Turns a path from anywhere in the program (written with backslashes, as the settings files
// and the folder names have always been spelt) into a real path on this machine. Names match
// without regard to letter case, so "\Settings\jolvexprefs.prf" finds "Settings/Jolvexprefs.prf"
// on a case-sensitive file system.
//
// Skins, Sounds and Helps are always the program folder's. Settings is too, unless the program
// is installed where its user cannot write: then each user keeps their own Settings in their
// data folder (forProgram).
class DataFolders {
public:
    // Settings beside the program.
    explicit DataFolders(const QString &programFolder);
    // Settings in `settingsHome`, the folder that holds (or will hold) the Settings folder.
    DataFolders(const QString &programFolder, const QString &settingsHome);

    // The folders of the program in `programFolder`: Settings beside it while this user may
    // create it there, otherwise below `userFolder`.
    static DataFolders forProgram(const QString &programFolder, const QString &userFolder = userDataFolder());
    // $XDG_DATA_HOME/vrimclocks (~/.local/share/vrimclocks when that is not set); empty when the
    // user has no home to keep data in.
    static QString userDataFolder();

    const QString &programFolder() const { return m_programFolder; }
    const QString &settingsHome() const { return m_settingsHome; }

    // programFolder + relative, e.g. path(u"\\Sounds\\bzz.wav"); a path into Settings, such as
    // path(u"\\Settings\\Dovpref.prf"), lies below settingsHome.
    QString path(QStringView relative) const;
    // The settings folder with a trailing separator.
    QString settingsPath() const;

    // A path as stored in a settings file: either separator, any letter case. A file of the
    // program's own Skins, Sounds or Helps stored while the program lived in another folder
    // (before it was moved or upgraded to a new place) is found in the program folder of today.
    QString resolveStored(const QString &stored) const;

private:
    QString m_programFolder;
    QString m_settingsHome;
};

} // namespace vrim
