#include "platform/RunningCopy.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vrim {
namespace {

constexpr int ConnectMs = 2000;
// The running copy answers once its launcher is up; a busy one (a sanitizer build, a slow
// machine) may take a while.
constexpr int AnswerMs = 10000;
constexpr int TurnMs = 15000;
constexpr char Request[] = "launcher";
constexpr char Reply[] = "shown";
constexpr qsizetype LongestRequest = 64; // anything longer is not one of ours

// A local stream socket's address for `path`; false when the path is too long for one.
bool addressOf(const QString &path, sockaddr_un &address)
{
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return true;
}

// A socket closed when it goes out of scope.
struct Socket {
    int fd;
    ~Socket()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Whether `fd` has something to read (or has been closed) before `deadline`.
bool readable(int fd, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd watched{fd, POLLIN, 0};
        const int ready = ::poll(&watched, 1, int(deadline.remainingTime()));
        if (ready >= 0 || errno != EINTR)
            return ready > 0;
    }
}

// The user's own runtime folder (private to them), else the one Qt makes for them under the
// temporary folder.
QString runtimeFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && QFileInfo(xdg).isDir() && QFileInfo(xdg).isWritable())
        return xdg;
    const QString qt = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return qt.isEmpty() ? QDir::tempPath() : qt;
}

} // namespace

QString RunningCopy::socketPathFor(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    const QString canonical =
        folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath() : folder.canonicalFilePath();
    // A digest keeps the path short: a socket's path may not be much longer than 100 bytes.
    const QByteArray digest =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return runtimeFolder() + QStringLiteral("/vrimclocks-%1-%2").arg(::getuid()).arg(QLatin1String(digest));
}

bool RunningCopy::isListening(const QString &socketPath)
{
    sockaddr_un address;
    const Socket socket{::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)};
    return addressOf(socketPath, address) && socket.fd >= 0 &&
           (::connect(socket.fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0 ||
            errno == EAGAIN); // its queue is full, but it listens
}

RunningCopy::RunningCopy(QString socketPath)
    : m_socketPath(std::move(socketPath))
{
}

RunningCopy::~RunningCopy() { close(); }

void RunningCopy::close()
{
    if (m_listener < 0)
        return;
    delete std::exchange(m_calls, nullptr);
    ::close(std::exchange(m_listener, -1));
    ::unlink(QFile::encodeName(m_socketPath).constData());
}

RunningCopy::Claim RunningCopy::claim()
{
    // One start at a time asks and listens; a lock left by a copy that died is taken over.
    QLockFile turn(m_socketPath + QStringLiteral(".lock"));
    if (!turn.tryLock(TurnMs))
        qWarning("Could not wait for another start of Vrim Clocks; carrying on.");

    switch (askRunningCopy()) {
    case Ask::Answered:
        return Claim::HandedOver;
    case Ask::Silent:
        return Claim::NoAnswer;
    case Ask::NoOne:
        break;
    }
    // Nobody listens: what is left there is a crashed copy's socket.
    listen();
    return Claim::First;
}

void RunningCopy::listen()
{
    const QByteArray path = QFile::encodeName(m_socketPath);
    ::unlink(path.constData());
    sockaddr_un address;
    const char *problem = nullptr;
    Socket listener{::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)};
    if (!addressOf(m_socketPath, address))
        problem = "the path is too long";
    // Only this user may connect: the socket's mode is set before it appears, and again after.
    else if (listener.fd < 0 || ::fchmod(listener.fd, S_IRUSR | S_IWUSR) != 0 ||
             ::bind(listener.fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
             ::chmod(path.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(listener.fd, 16) != 0)
        problem = std::strerror(errno);
    if (problem) {
        qWarning("Vrim Clocks cannot tell later starts that it runs (%s): %s", path.constData(), problem);
        return;
    }
    m_listener = std::exchange(listener.fd, -1);
    m_calls = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_calls, &QSocketNotifier::activated, this, &RunningCopy::answer);
}

RunningCopy::Ask RunningCopy::askRunningCopy() const
{
    sockaddr_un address;
    if (!addressOf(m_socketPath, address))
        return Ask::NoOne;
    Socket socket{::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)};
    if (socket.fd < 0)
        return Ask::NoOne;
    // A connection waits at most this long for room in the running copy's queue.
    const timeval connectTime{ConnectMs / 1000, 0};
    ::setsockopt(socket.fd, SOL_SOCKET, SO_SNDTIMEO, &connectTime, sizeof connectTime);
    if (::connect(socket.fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return Ask::NoOne;
    const QByteArray request = QByteArray(Request) + '\n';
    if (::send(socket.fd, request.constData(), size_t(request.size()), MSG_NOSIGNAL) != request.size())
        return Ask::NoOne;
    QByteArray reply;
    const QDeadlineTimer deadline(AnswerMs);
    while (!reply.contains('\n')) {
        if (!readable(socket.fd, deadline))
            return Ask::Silent; // connected, but no word
        char bytes[64];
        const ssize_t got = ::recv(socket.fd, bytes, sizeof bytes, 0);
        if (got < 0 && errno == EINTR)
            continue;
        // A copy that closes without answering is on its way out: this start takes over.
        if (got <= 0)
            return Ask::NoOne;
        reply.append(bytes, got);
    }
    return reply.left(reply.indexOf('\n')).trimmed() == Reply ? Ask::Answered : Ask::NoOne;
}

void RunningCopy::answer()
{
    for (;;) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;
        // Each caller is read as its bytes come; the notifier (a child of the running copy, so
        // gone with it) closes the connection once it has answered.
        auto *caller = new QSocketNotifier(fd, QSocketNotifier::Read, m_calls);
        auto line = std::make_shared<QByteArray>();
        connect(caller, &QSocketNotifier::activated, this, [this, caller, fd, line] {
            char bytes[LongestRequest];
            const ssize_t got = ::recv(fd, bytes, sizeof bytes, 0);
            if (got < 0 && (errno == EAGAIN || errno == EINTR))
                return;
            if (got > 0)
                line->append(bytes, got);
            const qsizetype end = line->indexOf('\n');
            if (got > 0 && end < 0 && line->size() <= LongestRequest)
                return; // more to come
            if (end >= 0) {
                const bool known = line->left(end).trimmed() == Request;
                if (known)
                    Q_EMIT asked();
                const QByteArray reply = QByteArray(known ? Reply : "?") + '\n';
                ::send(fd, reply.constData(), size_t(reply.size()), MSG_NOSIGNAL);
            }
            // Answered, closed by the caller, or not one of ours.
            caller->setEnabled(false);
            caller->deleteLater();
            ::close(fd);
        });
    }
}

} // namespace vrim
