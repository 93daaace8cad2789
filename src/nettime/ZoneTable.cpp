#include "nettime/ZoneTable.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <array>

namespace vrim::zones {
namespace {

// The offsets are standard time as the table was written; they only describe the rows.
constexpr std::array<ZoneRow, 62> Rows = {{
    {"+04:30", "Afganistan", "Afghanistan Standard Time"},
    {"-09:00", "Alaska", "Alaskan Standard Time"},
    {"+03:00", "Arab Baghdad -  Kuwait -  Riyadh", "Arab Standard Time"},
    {"+04:00", "Arabian", "Arabian Standard Time"},
    {"-04:00", "Atlantic Time (Canada", "Atlantic Standard Time"},
    {"+09:30", "Central Australia", "AUS Central Standard Time"},
    {"+10:00", "Eastern Australia =Canberra -  Melbourne -  Sydney", "AUS Eastern Standard Time"},
    {"-01:00", "Azores -  Cape Verde Is.", "Azores Standard Time"},
    {"-06:00", "Canada Central", "Canada Central Standard Time"},
    {"+04:00", "Caucasus = Baku - Tbilisi", "Caucasus Standard Time"},
    {"+09:30", "Central Australia =Adelaide", "Cen. Australia Standard Time"},
    {"-06:00", "Central Standard Time (US & Canada", "Central Standard Time"},
    {"+06:00", "Almaty - Dhaka", "Central Asia Standard Time"},
    {"+01:00", "Belgrade - Bratislava - Budapest - Ljubljana - Prague", "Central Europe Standard Time"},
    {"+01:00", "Sarajevo - Skopje - Sofija - Warsaw - Zagreb", "Central European Standard Time"},
    {"+11:00", "Magadan -  Solomon Is. -  New Caledonia", "Central Pacific Standard Time"},
    {"+08:00", "Beijing -  Chongqing -  Hong Kong -  Urumqi", "China Standard Time"},
    {"-12:00", "Eniwetok - Kwajalein", "Dateline Standard Time"},
    {"+03:00", "Nairobi", "E. Africa Standard Time"},
    {"+10:00", "Brisbane", "E. Australia Standard Time"},
    {"+02:00", "Bucharest", "E. Europe Standard Time"},
    {"-03:00", "Brasilia", "E. South America Standard Time"},
    {"-05:00", "Eastern Time (US & Canada", "Eastern Standard Time"},
    {"+02:00", "Cairo", "Egypt Standard Time"},
    {"+05:00", "Ekaterinburg", "Ekaterinburg Standard Time"},
    {"+12:00", "Fiji -  Kamchatka -  Marshall Is.", "Fiji Standard Time"},
    {"+02:00", "Helsinki - Riga - Tallinn", "FLE Standard Time"},
    {"+00:00", "Greenwich Mean Time : Dublin -  Edinburgh -  Lisbon -  London", "GMT Standard Time"},
    {"+00:00", "Casablanca - Monrovia", "Greenwich Standard Time"},
    {"+02:00", "Athens - Istanbul - Minsk", "GTB Standard Time"},
    {"-10:00", "Hawaii", "Hawaiian Standard Time"},
    {"+05:30", "Bombay - Calcutta - Madras - New Delhi", "India Standard Time"},
    {"+03:30", "Tehran", "Iran Standard Time"},
    {"+02:00", "Israel", "Israel Standard Time"},
    {"+09:00", "Seoul", "Korea Standard Time"},
    {"-06:00", "Mexico City -  Tegucigalpa", "Mexico Standard Time"},
    {"-02:00", "Mid - Atlantic", "Mid-Atlantic Standard Time"},
    {"-07:00", "Mountain Time (US & Canada", "Mountain Standard Time"},
    {"+12:00", "Auckland - Wellington", "New Zealand Standard Time"},
    {"-03:30", "Newfoundland", "Newfoundland Standard Time"},
    {"-08:00", "Pacific Time (US & Canada; Tijuana", "Pacific Standard Time"},
    {"+01:00", "Brussels - Copenhagen - Madrid - Paris - Vilnius", "Romance Standard Time"},
    {"+03:00", "Moscow - St.Petersburg - Volgograd", "Russian Standard Time"},
    {"-03:00", "Buenos Aires -  Georgetown", "SA Eastern Standard Time"},
    {"-05:00", "Bogota - Lima - Quito", "SA Pacific Standard Time"},
    {"-04:00", "Caracas -  La Paz", "SA Western Standard Time"},
    {"-11:00", "Midway Island -  Samoa", "Samoa Standard Time"},
    {"+07:00", "Bangkok - Hanoi - Jakarta", "SE Asia Standard Time"},
    {"+08:00", "Singapore", "Singapore Standard Time"},
    {"+02:00", "Harare - Pretoria", "South Africa Standard Time"},
    {"+06:00", "Colombo", "Sri Lanka Standard Time"},
    {"+08:00", "Taipei", "Taipei Standard Time"},
    {"+10:00", "Hobart", "Tasmania Standard Time"},
    {"+09:00", "Osaka - Sapporo - Tokyo", "Tokyo Standard Time"},
    {"-05:00", "Indiana (East", "US Eastern Standard Time"},
    {"-07:00", "Arizona", "US Mountain Standard Time"},
    {"+10:00", "Vladivostok", "Vladivostok Standard Time"},
    {"+08:00", "Perth", "W. Australia Standard Time"},
    {"+01:00", "Amsterdam - Berlin - Bern - Rome - Stockholm - Vienna", "W. Europe Standard Time"},
    {"+05:00", "Islamabad - Karachi - Tashkent", "West Asia Standard Time"},
    {"+10:00", "Guam -  Port Moresby", "West Pacific Standard Time"},
    {"+09:00", "Yakutsk", "Yakutsk Standard Time"},
}};

QByteArray zoneFile(const QString &zoneinfo, const QByteArray &id)
{
    if (id.isEmpty() || id.contains("..") || id.startsWith('/'))
        return {};
    QFile file(zoneinfo + QLatin1Char('/') + QString::fromLatin1(id));
    if (file.size() > 1024 * 1024 || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

std::span<const ZoneRow> table() { return Rows; }

std::optional<QString> offsetOf(const QString &standardName)
{
    for (const ZoneRow &row : Rows) {
        if (standardName == QLatin1String(row.standardName))
            return QString::fromLatin1(row.offset);
    }
    return std::nullopt;
}

std::optional<QTime> localTimeAt(const QDateTime &utc, const QTimeZone &zone)
{
    // The zone's own data, not the table's offsets: those are out of date in places, and a zone
    // may call its winter time the daylight-saving one (Dublin).
    if (!zone.isValid() || !utc.isValid())
        return std::nullopt;
    return utc.toTimeZone(zone).time();
}

QString windowsNameOf(const QByteArray &ianaId, const QString &zoneinfo)
{
    if (ianaId.isEmpty())
        return {};
    if (const QByteArray direct = QTimeZone::ianaIdToWindowsId(ianaId); !direct.isEmpty())
        return QString::fromLatin1(direct);
    const QByteArray ours = zoneFile(zoneinfo, ianaId);
    if (ours.isEmpty())
        return {};
    // An alias: another name for the same zone data, one that the mapping knows.
    const QDir root(zoneinfo);
    QDirIterator files(zoneinfo, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (files.fileInfo().size() != ours.size())
            continue;
        const QByteArray other = root.relativeFilePath(path).toLatin1();
        if (other.startsWith("posix/") || other.startsWith("right/"))
            continue; // copies of the whole database
        const QByteArray mapped = QTimeZone::ianaIdToWindowsId(other);
        if (!mapped.isEmpty() && zoneFile(zoneinfo, other) == ours)
            return QString::fromLatin1(mapped);
    }
    return {};
}

} // namespace vrim::zones
