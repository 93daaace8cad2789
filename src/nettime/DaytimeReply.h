#pragma once

#include <QByteArray>
#include <QDateTime>

#include <optional>

namespace vrim::daytime {

// The most a Daytime reply may hold; a server that sends more is not a Daytime server.
inline constexpr qsizetype MaxReplyBytes = 1024;

// A reply understood: the instant the server stamped, in UTC, and whether the server vouches for
// it. Only NIST's form carries a health digit; another form's time counts as healthy.
struct Reply {
    QDateTime utc;
    bool healthy = true;
    bool nist = false;
};

// Reads a whole Daytime (RFC 867) reply. Accepted: NIST's form
// "JJJJJ YY-MM-DD HH:MM:SS TT L H msADV UTC(NIST) OTM" with the day number agreeing with the
// date, and any other reply made only of a weekday, a day, a month name, a four-digit year and
// HH:MM:SS marked UTC or GMT ("06 DEC 2026 12:18:43 UTC", "Sunday, December 6, 2026 12:18:43-UTC").
// Anything else, including a leap second, is nothing.
std::optional<Reply> parse(const QByteArray &reply);

} // namespace vrim::daytime
