#include "platform/LocalFiles.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vrim::files {
namespace {

constexpr char16_t FirstForeign = 0xEF80; // stands for byte 0x80; U+EFFF for byte 0xFF

bool isForeign(QChar c) { return c.unicode() >= FirstForeign && c.unicode() <= FirstForeign + 0x7F; }

// Length of the well-formed UTF-8 sequence at `i`, or 0 when the byte there starts none.
qsizetype utf8SequenceAt(const QByteArray &bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes.at(k)); };
    const unsigned char lead = at(i);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F; // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    if (at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k)
        if (at(i + k) < 0x80 || at(i + k) > 0xBF)
            return 0;
    return length;
}

QString tr(const char *text) { return QCoreApplication::translate("LocalFiles", text); }

QString errnoText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

} // namespace

QString fromNativeName(const QByteArray &name)
{
    QString out;
    qsizetype i = 0;
    while (i < name.size()) {
        qsizetype run = i;
        while (run < name.size()) {
            const qsizetype length = utf8SequenceAt(name, run);
            if (length == 0)
                break;
            run += length;
        }
        out += QString::fromUtf8(name.constData() + i, run - i);
        if (run < name.size()) {
            out += QChar(char16_t(FirstForeign + (static_cast<unsigned char>(name.at(run)) - 0x80)));
            ++run;
        }
        i = run;
    }
    return out;
}

bool hasForeignBytes(const QString &path)
{
    for (const QChar c : path)
        if (isForeign(c))
            return true;
    return false;
}

QByteArray nativeName(const QString &path)
{
    if (!hasForeignBytes(path))
        return path.toUtf8();
    QByteArray out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isForeign(path.at(i)))
            continue;
        out += QStringView(path).mid(start, i - start).toUtf8();
        out += char(0x80 + (path.at(i).unicode() - FirstForeign));
        start = i + 1;
    }
    out += QStringView(path).mid(start).toUtf8();
    // Private-use characters that did not come from foreign bytes (they would read back as
    // something else) are kept as the characters they are.
    return fromNativeName(out) == path ? out : path.toUtf8();
}

bool isRegularFile(const QString &path) { return regularFileSize(path) >= 0; }

qint64 regularFileSize(const QString &path)
{
    struct stat info {};
    if (path.isEmpty() || ::stat(nativeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return qint64(info.st_size);
}

Contents readRegularFile(const QString &path, qint64 maxBytes)
{
    const QByteArray name = nativeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return {{}, errnoText(errno)};
    const QString notRegular = tr("it is not a regular file (a folder, a pipe or a device)");
    if (!S_ISREG(info.st_mode))
        return {{}, notRegular};

    // Without O_NONBLOCK a pipe put here since the look above would hold open() for ever.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {{}, errnoText(errno)};
    Contents contents;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        contents.problem = notRegular;
    } else {
        contents.bytes.resize(qsizetype(std::min<qint64>(maxBytes, info.st_size)) + 1);
        qsizetype got = 0;
        while (got < contents.bytes.size()) {
            const ssize_t n = ::read(fd, contents.bytes.data() + got, size_t(contents.bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                contents.problem = errnoText(errno);
                break;
            }
            if (n == 0)
                break;
            got += n;
            if (got == contents.bytes.size() && got <= maxBytes)
                contents.bytes.resize(std::min<qint64>(maxBytes + 1, got * 2)); // the file grew
        }
        contents.complete = got <= maxBytes;
        contents.bytes.truncate(std::min<qint64>(got, maxBytes));
    }
    ::close(fd);
    if (!contents.ok())
        contents.bytes.clear();
    return contents;
}

QString shortQuote(const QString &value, qsizetype maxChars)
{
    const auto shown = [](QStringView part) {
        QString out;
        for (qsizetype i = 0; i < part.size(); ++i) {
            const QChar c = part.at(i);
            const bool pair = c.isHighSurrogate() && i + 1 < part.size() && part.at(i + 1).isLowSurrogate();
            const char32_t code = pair ? QChar::surrogateToUcs4(c, part.at(i + 1)) : c.unicode();
            if (isForeign(c)) // a byte that is no UTF-8: spelt as the byte it is
                out +=
                    QStringLiteral("\\x%1").arg(0x80 + (c.unicode() - FirstForeign), 2, 16, QLatin1Char('0'));
            else if (code < 0x20 || code == 0x7F)
                out += QStringLiteral("\\x%1").arg(uint(code), 2, 16, QLatin1Char('0'));
            else if (!QChar::isPrint(code) || code == QChar::ReplacementCharacter)
                // Nothing a reader could see or copy (a control of the upper range, a mark that
                // turns the text's direction, a lone half of a pair): its number.
                out += QStringLiteral("\\u%1").arg(uint(code), 4, 16, QLatin1Char('0'));
            else
                out += pair ? part.mid(i, 2).toString() : QString(c);
            if (pair)
                ++i;
        }
        return out;
    };
    if (value.size() <= maxChars)
        return u'"' + shown(value) + u'"';
    // The middle goes: a path keeps its start and its file name.
    qsizetype head = maxChars - maxChars / 3;
    qsizetype tail = maxChars / 3;
    if (QChar(value.at(head - 1)).isHighSurrogate())
        --head;
    if (QChar(value.at(value.size() - tail)).isLowSurrogate())
        --tail;
    return u'"' + shown(QStringView(value).left(head)) + QChar(0x2026) +
           shown(QStringView(value).right(tail)) + u'"';
}

std::optional<QString> StagedFile::write(const QByteArray &bytes)
{
    const QByteArray native = nativeName(m_file.fileName());
    struct stat info {};
    const bool exists = ::stat(native.constData(), &info) == 0;
    if ((exists && !S_ISREG(info.st_mode)) || (!exists && ::lstat(native.constData(), &info) == 0))
        return tr("it is not a regular file");

    // Unbuffered, so that a full disk shows in write() itself; a buffered QSaveFile would only
    // meet it while flushing inside commit(), and could then rename an empty file into place.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return m_file.errorString();
    // A write cut short (the disk filled part-way) says nothing of why; the next one, with no
    // room left at all, does.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = m_file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return m_file.errorString();
        done += written;
    }
    if (!m_file.flush())
        return m_file.errorString();
    if (::fsync(m_file.handle()) != 0)
        return errnoText(errno);
    if (m_file.size() != bytes.size())
        return tr("only %1 of its %2 bytes were written").arg(m_file.size()).arg(bytes.size());
    return std::nullopt;
}

std::optional<QString> StagedFile::commit()
{
    if (!m_file.commit())
        return m_file.errorString();
    return std::nullopt;
}

std::optional<QString> writeWhole(const QString &path, const QByteArray &bytes)
{
    StagedFile file(path);
    if (auto why = file.write(bytes))
        return why;
    return file.commit();
}

} // namespace vrim::files
