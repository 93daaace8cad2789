#pragma once

#include "platform/LocalFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <sys/stat.h>

namespace vrim::test {

// Every entry of `folder` and of the folders in it as it stands on disk: kind, inode, time, link
// target and bytes, so that a file written again with the same bytes, or a pipe replaced by a
// file, counts as a change.
inline QStringList folderSnapshot(const QString &folder, const QString &below = {})
{
    QStringList entries;
    for (const QString &name :
         QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString path = folder + u'/' + name;
        struct stat info {};
        ::lstat(QFile::encodeName(path).constData(), &info);
        // Bytes beyond the first megabyte cannot change without changing the time.
        const QByteArray bytes = files::readRegularFile(path, 1024 * 1024).bytes;
        entries.append(
            below + name +
            QString::asprintf(" %u %lu %ld.%ld ->", info.st_mode, info.st_ino, info.st_mtim.tv_sec,
                              info.st_mtim.tv_nsec) +
            QFileInfo(path).symLinkTarget() + u' ' +
            QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
        if (S_ISDIR(info.st_mode))
            entries += folderSnapshot(path, below + name + u'/');
    }
    return entries;
}

} // namespace vrim::test
