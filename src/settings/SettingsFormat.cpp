#include "settings/SettingsFormat.h"

#include "platform/LocalFiles.h"

namespace vrim::prf {
namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

qsizetype firstNonBlank(const QString &line)
{
    qsizetype i = 0;
    while (i < line.size() && isBlank(line.at(i)))
        ++i;
    return i;
}

} // namespace

QByteArray encodeText(const QString &value) { return files::nativeName(value) + "\r\n"; }

QByteArray encodeNumber(qint64 value)
{
    QByteArray out = value < 0 ? QByteArray("-") : QByteArray(" ");
    out += QByteArray::number(value < 0 ? -value : value);
    out += " \r\n";
    return out;
}

std::optional<QStringList> firstLines(const QByteArray &bytes, int count, int *found)
{
    // Split on the bytes first and decode each line on its own: a path in an older single-byte
    // encoding keeps its bytes (see fromNativeName) without touching the lines around it.
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    QStringList lines;
    while (lines.size() < count && start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes.at(end) != '\r' && bytes.at(end) != '\n')
            ++end;
        lines.append(files::fromNativeName(bytes.mid(start, end - start)));
        if (end < bytes.size() && bytes.at(end) == '\r') {
            ++end;
            if (end < bytes.size() && bytes.at(end) == '\n')
                ++end;
        } else if (end < bytes.size()) {
            ++end; // a bare LF
        }
        start = end;
    }
    if (found)
        *found = int(lines.size());
    if (lines.size() < count)
        return std::nullopt;
    return lines;
}

QString readText(const QString &line)
{
    const qsizetype from = firstNonBlank(line);
    if (from < line.size() && line.at(from) == u'"') {
        const qsizetype close = line.indexOf(u'"', from + 1);
        return close < 0 ? line.mid(from + 1) : line.mid(from + 1, close - from - 1);
    }
    return line.mid(from);
}

bool hasControlCharacters(const QString &line)
{
    for (const QChar c : line)
        if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F)
            return true;
    return false;
}

bool textRoundTrips(const QString &value)
{
    // A byte-order mark at the start of the file is dropped on reading, so a value may not begin
    // with one either.
    if (hasControlCharacters(value) || value.startsWith(QChar(0xFEFF)))
        return false;
    return readText(value) == value;
}

std::optional<qint64> readNumber(const QString &line, qint64 min, qint64 max)
{
    QString field = line.mid(firstNonBlank(line));
    if (field.startsWith(u'"')) {
        const qsizetype close = field.indexOf(u'"', 1);
        field = close < 0 ? field.mid(1) : field.mid(1, close - 1);
    } else {
        const qsizetype comma = field.indexOf(u',');
        if (comma >= 0)
            field.truncate(comma);
    }
    field = field.trimmed();
    bool ok = false;
    const qint64 value = field.toLongLong(&ok, 10);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

} // namespace vrim::prf
