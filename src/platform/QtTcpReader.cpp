// The network module: a Qt Network socket behind TcpReader, built as modules/network.so.
#include "platform/TcpReader.h"

#include <QCoreApplication>
#include <QTcpSocket>

namespace vrim {
namespace {

class QtTcpReader final : public TcpReader {
public:
    // The application holds the socket, so that one dropped just before the program ends is
    // still deleted with it.
    QtTcpReader()
        : m_socket(new QTcpSocket(QCoreApplication::instance()))
    {
    }
    ~QtTcpReader() override
    {
        // The reader may be dropped from inside one of the socket's signals: the socket goes
        // later, its reports cut off now.
        m_socket->disconnect();
        m_socket->abort();
        m_socket->deleteLater();
    }

    void connectTo(const QString &host, quint16 port, Reports reports) override
    {
        QTcpSocket *socket = m_socket;
        if (reports.hostFound)
            QObject::connect(socket, &QTcpSocket::hostFound, socket, std::move(reports.hostFound));
        if (reports.readyRead)
            QObject::connect(socket, &QTcpSocket::readyRead, socket, std::move(reports.readyRead));
        if (auto failed = std::move(reports.failed)) {
            QObject::connect(socket, &QTcpSocket::errorOccurred, socket,
                             [failed](QAbstractSocket::SocketError error) { failed(failureOf(error)); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [failed] { failed(Failure::Closed); });
        }
        socket->connectToHost(host, port, QIODevice::ReadOnly);
    }
    qint64 bytesAvailable() const override { return m_socket->bytesAvailable(); }
    QByteArray read(qint64 most) override { return m_socket->read(most); }
    QString errorString() const override { return m_socket->errorString(); }

private:
    static Failure failureOf(QAbstractSocket::SocketError error)
    {
        switch (error) {
        case QAbstractSocket::RemoteHostClosedError:
            return Failure::Closed;
        case QAbstractSocket::HostNotFoundError:
            return Failure::HostNotFound;
        case QAbstractSocket::ConnectionRefusedError:
            return Failure::Refused;
        default:
            return Failure::Other;
        }
    }

    QTcpSocket *m_socket;
};

} // namespace
} // namespace vrim

extern "C" Q_DECL_EXPORT vrim::TcpReader *vrim_new_tcp_reader() { return new vrim::QtTcpReader; }
