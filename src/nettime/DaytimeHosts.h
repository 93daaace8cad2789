#pragma once

#include <QString>

#include <optional>
#include <span>

namespace vrim::daytime {

// The Daytime port (RFC 867).
inline constexpr quint16 Port = 13;

// A server of the list: the label the window shows and the public host behind it.
struct Server {
    const char *label;
    const char *host;
};

// The eleven servers in list order. The last Colorado entry and the default are the same host.
std::span<const Server> servers();
QString defaultHost();

// Where a query really goes.
struct Endpoint {
    QString host;
    quint16 port = Port;
};

// The setting that sends every query to one host and port instead, for a Daytime server of one's
// own and for tests: VRIM_DAYTIME_SERVER=host[:port] ("[::1]:1313" for an IPv6 address).
inline constexpr char OverrideVariable[] = "VRIM_DAYTIME_SERVER";

// The endpoint for `host`: the override when it is set, else `host` on the Daytime port. Nothing
// when the override is set but is not host[:port]; `setting` then holds what it says.
std::optional<Endpoint> endpointFor(const QString &host, QString *setting = nullptr);

// How the user is told where a query goes: the host, with the port when it is not the Daytime
// port ("127.0.0.1:1313", "[::1]:1313").
QString shownName(const Endpoint &endpoint);

// host[:port] read, or nothing.
std::optional<Endpoint> parseEndpoint(const QString &text);

} // namespace vrim::daytime
