#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <optional>

// Reading and naming files on this machine with the care that settings, pictures and sounds
// chosen by hand need: a name in an older single-byte encoding must reach the disk byte for
// byte, and a pipe or a device where a file was expected must never block or flood the program.
namespace vrim::files {

// A file name's bytes. Qt decodes names as UTF-8 and cannot spell any other bytes, so names
// from older settings files carry each byte that is not UTF-8 as one private-use character
// (U+EF80 to U+EFFF); fromNativeName and nativeName turn such a name back and forth exactly.
// (A name that holds those private-use characters themselves is the one case they confuse.)
QString fromNativeName(const QByteArray &name);
QByteArray nativeName(const QString &path);
// Whether `path` names a file whose name Qt's own file classes can open.
bool hasForeignBytes(const QString &path);

// A regular file, or a link to one; false for a missing file, a folder, a pipe, a device or a
// socket. Looks without opening, so it never blocks.
bool isRegularFile(const QString &path);
// The size of such a file in bytes, or -1 when `path` names none.
qint64 regularFileSize(const QString &path);

struct Contents {
    QByteArray bytes;
    QString problem;       // why the file cannot be read, in words to follow "cannot be read: "
    bool complete = false; // the whole file fitted within the limit
    bool ok() const { return problem.isEmpty(); }
};

// Reads at most `maxBytes` of a regular file. Anything else is refused before it is read,
// and opening never waits on a pipe with no writer.
Contents readRegularFile(const QString &path, qint64 maxBytes);

// A value quoted in a message: control characters, bytes that are no text and characters that
// cannot be seen spelt out (\x7f, \xe9, \u202e), and its middle cut to an ellipsis
// beyond `maxChars`, so that a damaged file cannot make a message box the size of the file.
QString shortQuote(const QString &value, qsizetype maxChars = 80);

// A file written whole beside its place and synced to the disk, then put in place in one step
// by commit(); dropped unless committed. Only a regular file is ever replaced: a link to one is
// followed (the link stays), a pipe, a device, a folder or a link to nothing is left alone.
class StagedFile {
public:
    explicit StagedFile(const QString &path)
        : m_file(path)
    {}
    // Each answers why it failed, in words to follow "could not be saved: ", or nothing.
    std::optional<QString> write(const QByteArray &bytes);
    std::optional<QString> commit();

private:
    QSaveFile m_file;
};

// A file saved whole or not at all.
std::optional<QString> writeWhole(const QString &path, const QByteArray &bytes);

} // namespace vrim::files
