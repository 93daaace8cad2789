#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vrim {

struct FileFilter {
    QString description;
    QStringList patterns; // as a file chooser here matches them
};

// Splits a "Description|pattern|Description|pattern" list, as the dialogs give them, into
// pairs. "*.*" means every file; a pattern with an extension also takes its upper-case form,
// since file names here are case-sensitive and pictures often come as .JPG.
std::vector<FileFilter> parseFileFilters(const QString &list);

} // namespace vrim
