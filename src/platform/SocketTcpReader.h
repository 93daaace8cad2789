#pragma once

#include "platform/TcpReader.h"

#include <QObject>

#include <memory>
#include <vector>

class QSocketNotifier;

namespace vrim {

// A TcpReader on the system's own sockets: the name looked up on a thread of its own (the
// system's lookup waits), each of its addresses tried in turn, the bytes read as they come. It
// needs no network library: Qt Network, with the Kerberos and proxy libraries it brings, held
// about 1.9 MB for good after Ostran Time's first query.
class SocketTcpReader final : public TcpReader {
public:
    SocketTcpReader();
    ~SocketTcpReader() override;
    SocketTcpReader(const SocketTcpReader &) = delete;
    SocketTcpReader &operator=(const SocketTcpReader &) = delete;

    void connectTo(const QString &host, quint16 port, Reports reports) override;
    qint64 bytesAvailable() const override { return m_bytes.size(); }
    QByteArray read(qint64 most) override;
    QString errorString() const override { return m_error; }

    struct Lookup; // shared with the thread that looks the name up

private:
    void looked();
    void tryNextAddress();
    void connectedOrNot();
    void readSome();
    // Reports the failure; the reader may be gone when it returns.
    void fail(Failure failure, const QString &why);
    void closeSocket();
    // A notifier on `fd`, parented to the application: one dropped during its own report, or
    // just before the program ends, still goes.
    QSocketNotifier *watch(int fd, bool forWriting, void (SocketTcpReader::*handler)());
    void drop(QSocketNotifier *&notifier);

    Reports m_reports;
    std::shared_ptr<Lookup> m_lookup;
    QSocketNotifier *m_lookupDone = nullptr;
    std::size_t m_nextAddress = 0;
    int m_fd = -1;
    QSocketNotifier *m_writable = nullptr;
    QSocketNotifier *m_readable = nullptr;
    QByteArray m_bytes;
    QString m_error;
    int m_lastErrno = 0;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace vrim
