#include "settings/SettingsFormat.h"

#include <QStringDecoder>

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

QByteArray encodeText(const QString &value) { return value.toUtf8() + "\r\n"; }

QByteArray encodeNumber(qint64 value)
{
    QByteArray out = value < 0 ? QByteArray("-") : QByteArray(" ");
    out += QByteArray::number(value < 0 ? -value : value);
    out += " \r\n";
    return out;
}

std::optional<QStringList> firstLines(const QByteArray &bytes, int count, int *found)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QStringList lines;
    qsizetype start = 0;
    while (lines.size() < count && start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != u'\r' && text.at(end) != u'\n')
            ++end;
        lines.append(text.mid(start, end - start));
        if (end < text.size() && text.at(end) == u'\r') {
            ++end;
            if (end < text.size() && text.at(end) == u'\n')
                ++end;
        } else if (end < text.size()) {
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

bool textRoundTrips(const QString &value)
{
    if (value.contains(u'\r') || value.contains(u'\n'))
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
