#pragma once

#include "base/Design.h"
#include "settings/DataFolders.h"

#include <QString>
#include <QStringList>

namespace vrim {

// The part of a clock that its two settings files dress: the skin file's pictures and the sound
// file's chime and interval, as last read. Only a design with those files has it.
class SkinFiles {
public:
    SkinFiles(Design design, DataFolders folders);

    // Reads both files and answers what is wrong with the skin file; what is wrong with the
    // sound file waits for takeSoundProblem(), since the skin's pictures are reported first.
    // `quietly` forgets both.
    QString read(bool quietly = false);
    QString takeSoundProblem();

    // The pictures, by slot: the skin, and Norvi's centre.
    const QStringList &pictures() const { return m_pictures; }
    const QString &soundFile() const { return m_soundFile; }
    const QString &interval() const { return m_interval; }

private:
    Design m_design;
    DataFolders m_folders;
    QStringList m_pictures;
    QString m_soundFile;
    QString m_interval;
    QString m_soundProblem;
};

} // namespace vrim
