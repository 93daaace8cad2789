#include "platform/SocketTcpReader.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QUrl>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vrim {

struct SocketTcpReader::Lookup {
    struct Address {
        sockaddr_storage address{};
        socklen_t length = 0;
        int family = AF_UNSPEC;
    };
    std::atomic<bool> done{false};
    int gaiError = 0;
    std::vector<Address> addresses;
    int wake[2] = {-1, -1}; // the reader's end, the thread's end
};

SocketTcpReader::SocketTcpReader() = default;

SocketTcpReader::~SocketTcpReader()
{
    *m_alive = false;
    drop(m_lookupDone);
    if (m_lookup && m_lookup->wake[0] >= 0)
        ::close(m_lookup->wake[0]); // a lookup still under way finds nobody to tell
    closeSocket();
}

void SocketTcpReader::connectTo(const QString &host, quint16 port, Reports reports)
{
    // A reader asked again starts afresh.
    drop(m_lookupDone);
    if (m_lookup && m_lookup->wake[0] >= 0)
        ::close(m_lookup->wake[0]);
    closeSocket();
    m_nextAddress = 0;
    m_lastErrno = 0;
    m_bytes.clear();
    m_reports = std::move(reports);
    m_lookup = std::make_shared<Lookup>();
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, m_lookup->wake) != 0) {
        fail(Failure::Other, QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_lookupDone = watch(m_lookup->wake[0], false, &SocketTcpReader::looked);
    // A name in its ASCII form; an address (IPv6's colons are no name) as it stands.
    QByteArray name = QUrl::toAce(host);
    if (name.isEmpty())
        name = host.toUtf8();
    const QByteArray service = QByteArray::number(port);
    try {
        std::thread([lookup = m_lookup, name, service] {
            addrinfo hints{};
            hints.ai_family = AF_UNSPEC;
            hints.ai_socktype = SOCK_STREAM;
            addrinfo *found = nullptr;
            lookup->gaiError = ::getaddrinfo(name.constData(), service.constData(), &hints, &found);
            for (const addrinfo *at = found; at; at = at->ai_next) {
                Lookup::Address address;
                std::memcpy(&address.address, at->ai_addr, std::min<std::size_t>(at->ai_addrlen, sizeof address.address));
                address.length = at->ai_addrlen;
                address.family = at->ai_family;
                lookup->addresses.push_back(address);
            }
            if (found)
                ::freeaddrinfo(found);
            lookup->done.store(true, std::memory_order_release);
            const char one = 1;
            ::send(lookup->wake[1], &one, 1, MSG_NOSIGNAL);
            ::close(lookup->wake[1]);
        }).detach();
    } catch (const std::system_error &error) {
        drop(m_lookupDone);
        for (int &end : m_lookup->wake) {
            ::close(end);
            end = -1;
        }
        fail(Failure::Other, QString::fromLocal8Bit(error.what()));
    }
}

QByteArray SocketTcpReader::read(qint64 most)
{
    const QByteArray taken = m_bytes.left(most);
    m_bytes.remove(0, taken.size());
    return taken;
}

void SocketTcpReader::looked()
{
    drop(m_lookupDone);
    ::close(m_lookup->wake[0]);
    m_lookup->wake[0] = -1;
    if (!m_lookup->done.load(std::memory_order_acquire)) { // the thread's end closed without an answer
        fail(Failure::Other, QStringLiteral("The name lookup ended without an answer"));
        return;
    }
    if (const int error = m_lookup->gaiError) {
        const bool notFound = error == EAI_NONAME || error == EAI_NODATA || error == EAI_FAIL || error == EAI_AGAIN;
        fail(notFound ? Failure::HostNotFound : Failure::Other, QString::fromLocal8Bit(::gai_strerror(error)));
        return;
    }
    if (m_reports.hostFound) {
        const std::weak_ptr<bool> alive = m_alive;
        m_reports.hostFound();
        if (alive.expired() || !*alive.lock())
            return;
    }
    tryNextAddress();
}

void SocketTcpReader::tryNextAddress()
{
    while (m_nextAddress < m_lookup->addresses.size()) {
        const Lookup::Address &address = m_lookup->addresses[m_nextAddress++];
        m_fd = ::socket(address.family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (m_fd < 0) {
            m_lastErrno = errno;
            continue;
        }
        if (::connect(m_fd, reinterpret_cast<const sockaddr *>(&address.address), address.length) == 0) {
            m_readable = watch(m_fd, false, &SocketTcpReader::readSome);
            return;
        }
        if (errno == EINPROGRESS) {
            m_writable = watch(m_fd, true, &SocketTcpReader::connectedOrNot);
            return;
        }
        m_lastErrno = errno;
        closeSocket();
    }
    const int error = m_lastErrno ? m_lastErrno : EHOSTUNREACH;
    fail(error == ECONNREFUSED ? Failure::Refused : Failure::Other, QString::fromLocal8Bit(std::strerror(error)));
}

void SocketTcpReader::connectedOrNot()
{
    drop(m_writable);
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        error = errno;
    if (error == 0) {
        m_readable = watch(m_fd, false, &SocketTcpReader::readSome);
        return;
    }
    m_lastErrno = error;
    closeSocket();
    tryNextAddress();
}

void SocketTcpReader::readSome()
{
    const qsizetype before = m_bytes.size();
    bool ended = false;
    int error = 0;
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::recv(m_fd, chunk, sizeof chunk, 0);
        if (got > 0) {
            m_bytes.append(chunk, got);
            continue;
        }
        if (got == 0)
            ended = true;
        else if (errno == EINTR)
            continue;
        else if (errno != EAGAIN && errno != EWOULDBLOCK)
            error = errno;
        break;
    }
    if (m_bytes.size() > before && m_reports.readyRead) {
        const std::weak_ptr<bool> alive = m_alive;
        m_reports.readyRead();
        if (alive.expired() || !*alive.lock())
            return;
    }
    if (ended || error == ECONNRESET)
        fail(Failure::Closed, QStringLiteral("The remote host closed the connection"));
    else if (error)
        fail(Failure::Other, QString::fromLocal8Bit(std::strerror(error)));
}

void SocketTcpReader::fail(Failure failure, const QString &why)
{
    closeSocket();
    m_error = why;
    if (m_reports.failed)
        m_reports.failed(failure);
}

void SocketTcpReader::closeSocket()
{
    drop(m_writable);
    drop(m_readable);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

QSocketNotifier *SocketTcpReader::watch(int fd, bool forWriting, void (SocketTcpReader::*handler)())
{
    auto *notifier = new QSocketNotifier(fd, forWriting ? QSocketNotifier::Write : QSocketNotifier::Read,
                                         QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [this, alive = std::weak_ptr<bool>(m_alive), handler] {
                         if (const auto living = alive.lock(); living && *living)
                             (this->*handler)();
                     });
    return notifier;
}

void SocketTcpReader::drop(QSocketNotifier *&notifier)
{
    if (!notifier)
        return;
    notifier->setEnabled(false); // before its descriptor is closed
    notifier->deleteLater();
    notifier = nullptr;
}

} // namespace vrim
