#include "ui/Artwork.h"

#include "platform/FreePages.h"

#include <QDirIterator>
#include <QHash>
#include <QImageReader>
#include <QResource>

#include <algorithm>
#include <utility>

namespace vrim {
namespace {

// Where the pictures of one folder of our resources (":/perrin") lie in the program file's
// mapping: its files are stored one after another.
std::pair<const uchar *, const uchar *> folderBytes(const QString &folder)
{
    static QHash<QString, std::pair<const uchar *, const uchar *>> known;
    const auto found = known.constFind(folder);
    if (found != known.constEnd())
        return *found;
    std::pair<const uchar *, const uchar *> span{nullptr, nullptr};
    QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QResource file(files.next());
        if (!file.isValid() || !file.data())
            continue;
        const uchar *end = file.data() + file.size();
        span.first = span.first ? std::min(span.first, file.data()) : file.data();
        span.second = std::max(span.second, end);
    }
    known.insert(folder, span);
    return span;
}

// Once a picture is decoded its compressed bytes are not needed, but the pages they were read
// from (and the neighbours the kernel reads with them) stay counted as the program's memory: a
// clock that shows another picture each hour would hold more of them hour after hour. The whole
// folder's pages go; the next picture read brings back only its own.
void forgetFolderPages(const QString &path)
{
    const qsizetype slash = path.indexOf(u'/', 2);
    if (!path.startsWith(u":/") || slash < 0)
        return;
    const auto [begin, end] = folderBytes(path.left(slash));
    if (begin)
        forgetFilePages(begin, std::size_t(end - begin));
}

} // namespace

QImage readPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    forgetFolderPages(path);
    return image;
}

QImage loadArtwork(const QString &path, qreal ratio)
{
    if (ratio > 1.0) {
        const qsizetype dot = path.lastIndexOf(u'.');
        const QString twinPath =
            dot < 0 ? QString(path + u"@2x") : QString(path.left(dot) + u"@2x" + path.mid(dot));
        QImage twin = readPng(twinPath);
        if (!twin.isNull()) {
            twin.setDevicePixelRatio(2.0);
            return twin;
        }
    }
    return readPng(path);
}

} // namespace vrim
