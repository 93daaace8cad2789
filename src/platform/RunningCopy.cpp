#include "platform/RunningCopy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

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

RunningCopy::RunningCopy(QString socketPath)
    : m_socketPath(std::move(socketPath))
{
    connect(&m_server, &QLocalServer::newConnection, this, &RunningCopy::answer);
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
    QLocalServer::removeServer(m_socketPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_socketPath))
        qWarning("Vrim Clocks cannot tell later starts that it runs (%s): %s", qPrintable(m_socketPath),
                 qPrintable(m_server.errorString()));
    return Claim::First;
}

RunningCopy::Ask RunningCopy::askRunningCopy() const
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(ConnectMs))
        return Ask::NoOne;
    socket.write(Request);
    socket.write("\n");
    socket.waitForBytesWritten(ConnectMs);
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(AnswerMs))
            return socket.state() == QLocalSocket::ConnectedState ? Ask::Silent : Ask::NoOne;
    }
    // A copy that closes without answering is on its way out: this start takes over.
    return socket.readLine().trimmed() == Reply ? Ask::Answered : Ask::NoOne;
}

void RunningCopy::answer()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > 64) // not one of ours
                    socket->abort();
                return;
            }
            const bool known = socket->readLine().trimmed() == Request;
            if (known)
                Q_EMIT asked();
            socket->write(known ? Reply : "?");
            socket->write("\n");
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

} // namespace vrim
