#include "nettime/DaytimeReply.h"

#include <QDate>
#include <QList>
#include <QTime>
#include <QTimeZone>

#include <array>
#include <cstring>

namespace vrim::daytime {
namespace {

bool isDigits(const QByteArray &text, qsizetype count)
{
    if (text.size() != count)
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

int number(const QByteArray &digits) { return digits.toInt(); }

// "HH:MM:SS" (no leap second), else an invalid time.
QTime timeOf(const QByteArray &text)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return {};
    const QByteArray h = text.mid(0, 2), m = text.mid(3, 2), s = text.mid(6, 2);
    if (!isDigits(h, 2) || !isDigits(m, 2) || !isDigits(s, 2))
        return {};
    return QTime(number(h), number(m), number(s)); // invalid when out of range
}

std::optional<Reply> parseNist(const QList<QByteArray> &words)
{
    // JJJJJ YY-MM-DD HH:MM:SS TT L H msADV UTC(NIST) OTM
    if (words.size() != 9 || words[7] != "UTC(NIST)" || (words[8] != "*" && words[8] != "#"))
        return std::nullopt;
    const QByteArray &date = words[1];
    if (!isDigits(words[0], 5) || date.size() != 8 || date[2] != '-' || date[5] != '-' ||
        !isDigits(date.mid(0, 2), 2) || !isDigits(date.mid(3, 2), 2) || !isDigits(date.mid(6, 2), 2) ||
        !isDigits(words[3], 2) || !isDigits(words[4], 1) || !isDigits(words[5], 1))
        return std::nullopt;
    // The advance in milliseconds: digits, a point, one digit.
    const QByteArray &advance = words[6];
    const qsizetype point = advance.indexOf('.');
    if (point < 1 || point > 6 || !isDigits(advance.left(point), point) ||
        !isDigits(advance.mid(point + 1), 1))
        return std::nullopt;
    const QDate day(2000 + number(date.mid(0, 2)), number(date.mid(3, 2)), number(date.mid(6, 2)));
    const QTime time = timeOf(words[2]);
    // The modified Julian day counts from 17 November 1858.
    if (!day.isValid() || !time.isValid() || day.toJulianDay() - 2400001 != number(words[0]))
        return std::nullopt;
    return Reply{QDateTime(day, time, QTimeZone::utc()), words[5] == "0", true};
}

int monthOf(const QByteArray &word)
{
    static constexpr std::array<const char *, 12> Names = {"january",   "february", "march",    "april",
                                                           "may",       "june",     "july",     "august",
                                                           "september", "october",  "november", "december"};
    const QByteArray lower = word.toLower();
    for (size_t month = 0; month < Names.size(); ++month) {
        if (lower.size() >= 3 && std::strncmp(Names[month], lower.constData(), size_t(lower.size())) == 0 &&
            size_t(lower.size()) <= std::strlen(Names[month]))
            return int(month) + 1;
    }
    return 0;
}

bool isWeekday(const QByteArray &word)
{
    static constexpr std::array<const char *, 7> Names = {"monday", "tuesday",  "wednesday", "thursday",
                                                          "friday", "saturday", "sunday"};
    const QByteArray lower = word.toLower();
    for (const char *name : Names) {
        if (lower.size() >= 3 && size_t(lower.size()) <= std::strlen(name) &&
            std::strncmp(name, lower.constData(), size_t(lower.size())) == 0)
            return true;
    }
    return false;
}

bool isMarker(const QByteArray &word) { return word == "UTC" || word == "GMT"; }

std::optional<Reply> parseOther(const QList<QByteArray> &words)
{
    int day = 0, month = 0, year = 0;
    QTime time;
    bool marked = false, weekday = false;
    for (QByteArray word : words) {
        if (word.endsWith(','))
            word.chop(1);
        if (word.size() == 12 && (word.endsWith("-UTC") || word.endsWith("-GMT"))) {
            if (marked || time.isValid())
                return std::nullopt;
            marked = true;
            word.chop(4);
        }
        if (word.isEmpty())
            return std::nullopt;
        if (word.size() == 8 && word[2] == ':') {
            if (time.isValid() || !(time = timeOf(word)).isValid())
                return std::nullopt;
        } else if (isMarker(word)) {
            if (marked)
                return std::nullopt;
            marked = true;
        } else if (isDigits(word, 4)) {
            if (year)
                return std::nullopt;
            year = number(word);
        } else if (isDigits(word, 1) || isDigits(word, 2)) {
            if (day || !(day = number(word)))
                return std::nullopt;
        } else if (const int named = monthOf(word); named && !month) {
            month = named;
        } else if (isWeekday(word) && !weekday) {
            weekday = true;
        } else {
            return std::nullopt;
        }
    }
    const QDate date(year, month, day);
    if (!marked || !time.isValid() || !year || !month || !day || !date.isValid())
        return std::nullopt;
    return Reply{QDateTime(date, time, QTimeZone::utc()), true, false};
}

} // namespace

std::optional<Reply> parse(const QByteArray &reply)
{
    if (reply.isEmpty() || reply.size() > MaxReplyBytes)
        return std::nullopt;
    for (const char c : reply) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\n' && c != '\r' && c != '\t') || byte > 0x7e)
            return std::nullopt;
    }
    const QByteArray line = reply.trimmed();
    if (line.isEmpty() || line.contains('\n') || line.contains('\r'))
        return std::nullopt;
    const QList<QByteArray> words = line.simplified().split(' ');
    if (words.size() == 9 && words[7] == "UTC(NIST)")
        return parseNist(words);
    return parseOther(words);
}

} // namespace vrim::daytime
