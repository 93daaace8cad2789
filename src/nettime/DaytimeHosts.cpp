#include "nettime/DaytimeHosts.h"

#include <QtGlobal>

#include <array>

namespace vrim::daytime {
namespace {

// NIST's public servers; the README says where each one stands.
constexpr std::array<Server, 11> Servers = {{
    {"Server 1 [California]", "time-e-wwv.nist.gov"},
    {"Server 1 [Colorado]", "time-a-wwv.nist.gov"},
    {"Server 2 [Colorado]", "time-c-wwv.nist.gov"},
    {"Server 3 [Colorado]", "time-d-wwv.nist.gov"},
    {"Server 4 [Colorado]", "time-a-b.nist.gov"},
    {"Server 5 [Colorado]", "time-b-b.nist.gov"},
    {"Server 6 [Colorado]", "time-b-wwv.nist.gov"},
    {"Server 1 [Maryland]", "time-a-g.nist.gov"},
    {"Server 2 [Maryland]", "time-b-g.nist.gov"},
    {"Server 1 [Virginia]", "time-c-g.nist.gov"},
    {"Server 1 [Washington]", "time-d-g.nist.gov"},
}};

} // namespace

std::span<const Server> servers() { return Servers; }

QString defaultHost() { return QString::fromLatin1(Servers[6].host); }

std::optional<Endpoint> parseEndpoint(const QString &text)
{
    QString host = text.trimmed();
    QString port;
    if (host.startsWith(u'[')) {
        const qsizetype close = host.indexOf(u']');
        if (close < 0)
            return std::nullopt;
        port = host.mid(close + 1);
        host = host.mid(1, close - 1);
        if (!port.isEmpty() && !port.startsWith(u':'))
            return std::nullopt;
        port = port.mid(1);
    } else if (const qsizetype colon = host.lastIndexOf(u':'); colon >= 0) {
        port = host.mid(colon + 1);
        host = host.left(colon);
    }
    if (host.isEmpty() || host.contains(u' ') || host.contains(u':') != text.trimmed().startsWith(u'['))
        return std::nullopt;
    Endpoint endpoint{host, Port};
    if (!port.isEmpty() || text.trimmed().endsWith(u':')) {
        bool ok = false;
        const uint number = port.toUInt(&ok);
        if (!ok || number == 0 || number > 65535 || port.startsWith(u'+'))
            return std::nullopt;
        endpoint.port = quint16(number);
    }
    return endpoint;
}

std::optional<Endpoint> endpointFor(const QString &host, QString *setting)
{
    if (!qEnvironmentVariableIsSet(OverrideVariable))
        return Endpoint{host, Port};
    const QString value = qEnvironmentVariable(OverrideVariable);
    if (setting)
        *setting = value;
    return parseEndpoint(value);
}

QString shownName(const Endpoint &endpoint)
{
    if (endpoint.port == Port)
        return endpoint.host;
    const QString host = endpoint.host.contains(u':') ? u'[' + endpoint.host + u']' : endpoint.host;
    return QStringLiteral("%1:%2").arg(host).arg(endpoint.port);
}

} // namespace vrim::daytime
