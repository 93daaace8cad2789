#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <optional>
#include <span>

namespace vrim::zones {

// One row of the zone table, which names zones: the zone's standard-time offset ("+05:30", as the
// table was written; local times come from the system's zone database), the places it covers
// (kept as written, never shown), and the Windows name of its standard time.
struct ZoneRow {
    const char *offset;
    const char *places;
    const char *standardName;
};

// The 62 rows, in table order.
std::span<const ZoneRow> table();

// The offset of the first row whose standard name is exactly `standardName` (letter case and
// blanks included), or nothing.
std::optional<QString> offsetOf(const QString &standardName);

// The local time of day at the instant `utc` in `zone`: its offset and daylight saving as in
// force at that instant. Nothing for an invalid zone or instant.
std::optional<QTime> localTimeAt(const QDateTime &utc, const QTimeZone &zone);

// The Windows standard name of an IANA zone, from Qt's mapping. An id the mapping does not know
// (an alias such as "Asia/Kolkata") is matched through any zone whose file under `zoneinfo` is
// byte-for-byte the same. Empty when nothing matches.
QString windowsNameOf(const QByteArray &ianaId,
                      const QString &zoneinfo = QStringLiteral("/usr/share/zoneinfo"));

} // namespace vrim::zones
