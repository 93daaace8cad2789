#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace vrim {

// A TCP connection that only reads: the Daytime client's way to a server. Dropping it closes
// the connection at once; that may be done from inside one of its own reports.
class TcpReader {
public:
    enum class Failure { Closed, HostNotFound, Refused, Other };
    struct Reports {
        std::function<void()> hostFound;          // the name is resolved, the connection starts
        std::function<void()> readyRead;          // bytes have come
        std::function<void(Failure)> failed;      // the server closed, or no connection
    };

    virtual ~TcpReader() = default;
    virtual void connectTo(const QString &host, quint16 port, Reports reports) = 0;
    virtual qint64 bytesAvailable() const = 0;
    virtual QByteArray read(qint64 most) = 0;
    // What went wrong, in the system's words.
    virtual QString errorString() const = 0;
};

} // namespace vrim
