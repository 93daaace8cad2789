#include "nettime/InternetTime.h"

#include "nettime/DaytimeHosts.h"
#include "nettime/ZoneTable.h"

#include <QLoggingCategory>
#include <QPointer>

namespace vrim {
namespace {
Q_LOGGING_CATEGORY(lcNettime, "vrim.nettime", QtWarningMsg)
// The table's Windows name for the zone where a row has it, else the system's own id.
QString zoneNameOf(const QTimeZone &zone)
{
    const QString windows = zones::windowsNameOf(zone.id());
    return zones::offsetOf(windows) ? windows : QString::fromLatin1(zone.id());
}

} // namespace

InternetTime::InternetTime(TimeSource &time, std::unique_ptr<Timer> timeout,
                           DaytimeClient::ReaderMaker readers, ClockSetter &setter,
                           std::optional<QTimeZone> zone)
    : m_time(time)
    , m_setter(setter)
    , m_zone(std::move(zone))
    , m_client(time, std::move(timeout), std::move(readers))
{
    m_client.onAnswer([this](const DaytimeClient::Answer &answer) { answered(answer); });
}

QString InternetTime::load()
{
    QString message;
    if (!m_zone)
        message = NoZoneMessage;
    else
        m_zoneName = zoneNameOf(*m_zone);
    m_connectEnabled = false;
    // The first query only shows the time; the host name stays unchosen.
    m_adjusting = false;
    m_client.query(daytime::defaultHost());
    Q_EMIT changed();
    return message;
}

void InternetTime::serverChosen()
{
    m_connectEnabled = true;
    m_adjustEnabled = false;
    Q_EMIT changed();
}

void InternetTime::connectClicked(const QString &listText)
{
    m_adjustEnabled = false;
    m_local.reset();
    for (const daytime::Server &server : daytime::servers()) {
        if (listText == QLatin1String(server.label))
            m_hostName = QString::fromLatin1(server.host);
    }
    m_connectEnabled = false;
    ask(false);
}

void InternetTime::adjustClicked() { ask(true); }

void InternetTime::disconnectClicked()
{
    m_client.cancel();
    m_adjusting = false;
    m_connectEnabled = true;
    Q_EMIT changed();
}

void InternetTime::ask(bool adjust)
{
    m_adjusting = adjust;
    const QString host = m_hostName.isEmpty() ? daytime::defaultHost() : m_hostName;
    // The host really asked: the override setting sends every query elsewhere.
    const std::optional<daytime::Endpoint> endpoint = daytime::endpointFor(host);
    m_status = QStringLiteral("Asking %1...").arg(endpoint ? daytime::shownName(*endpoint) : host);
    m_client.query(host);
    Q_EMIT changed();
}

void InternetTime::answered(const DaytimeClient::Answer &answer)
{
    const bool adjusting = std::exchange(m_adjusting, false);
    if (!answer.reply) {
        // No earlier answer may stand beside the error as if it were this one.
        m_utcText.clear();
        m_local.reset();
        m_pcClock.reset();
        m_status = answer.problem;
        m_connectEnabled = true;
        qCInfo(lcNettime).noquote() << "status" << m_status;
        Q_EMIT changed();
        return;
    }
    const daytime::Reply &reply = *answer.reply;
    m_utcText = QStringLiteral("  ") + reply.utc.time().toString(QStringLiteral("HH:mm:ss"));

    const std::optional<QTime> local = m_zone ? zones::localTimeAt(reply.utc, *m_zone) : std::nullopt;
    if (local) {
        // A time its own server does not vouch for is shown, but never offered for the PC clock.
        if (!reply.healthy)
            m_adjustEnabled = false;
        else if (local != m_local)
            m_adjustEnabled = true;
        m_local = local;
        m_pcClock = QTime::fromString(m_time.timeText(), QStringLiteral("HH:mm:ss"));
    }

    if (!m_zone)
        m_status = QStringLiteral("The system has no time zone");
    else if (!local)
        m_status = QStringLiteral("No local time in %1").arg(m_zoneName);
    else if (!reply.healthy)
        m_status = QStringLiteral("%1 says its time may be wrong (unhealthy), local time in %2")
                       .arg(answer.host, m_zoneName);
    else
        m_status = QStringLiteral("Time from %1, local time in %2").arg(answer.host, m_zoneName);
    qCInfo(lcNettime).noquote() << "UTC" << m_utcText.trimmed() << "local" << maskedText(m_local) << "PC"
                                << maskedText(m_pcClock) << "status" << m_status;

    // Adjust PC Clock asked for this reply (Connect, pressed since, would have taken it back).
    if (adjusting && m_connectEnabled) {
        if (!local || !reply.healthy || !m_adjustEnabled) {
            m_status += QStringLiteral("; the PC clock was not set");
        } else {
            // The server stamped its time about half the round trip before the reply arrived.
            const QDateTime instant = reply.utc.addMSecs(answer.roundTripMs / 2);
            const ClockCorrection correction{instant, instant.toMSecsSinceEpoch() - answer.arrivedWallMs};
            m_status = QStringLiteral("Setting the PC clock...");
            QPointer<InternetTime> self(this);
            m_setter.set(correction, [self](bool, const QString &message) {
                if (!self)
                    return;
                self->m_status = message;
                qCInfo(lcNettime).noquote() << "status" << message;
                Q_EMIT self->changed();
            });
        }
    }
    m_connectEnabled = true;
    Q_EMIT changed();
}

QString InternetTime::maskedText(const std::optional<QTime> &time)
{
    return time ? time->toString(QStringLiteral("hh:mm:ss AP")) : QStringLiteral("__:__:__ __");
}

} // namespace vrim
