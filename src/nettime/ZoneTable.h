#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <optional>
#include <span>

namespace vrim::zones {

// One row of the zone table: the zone's standard-time offset ("+05:30"), the places it covers
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

// The local time of day at `utc` in a zone of the given table offset: the signed offset, plus one
// hour when `daylightSaving`, minutes carried and hours wrapped to 00-23. Nothing for an offset
// that is not "+HH:MM" or "-HH:MM".
std::optional<QTime> localTime(const QTime &utc, const QString &offset, bool daylightSaving);

// The Windows standard name of an IANA zone, from Qt's mapping. An id the mapping does not know
// (an alias such as "Asia/Kolkata") is matched through any zone whose file under `zoneinfo` is
// byte-for-byte the same. Empty when nothing matches.
QString windowsNameOf(const QByteArray &ianaId,
                      const QString &zoneinfo = QStringLiteral("/usr/share/zoneinfo"));

} // namespace vrim::zones
