#include "nettime/DaytimeClient.h"

#include "nettime/DaytimeHosts.h"

namespace vrim {

DaytimeClient::DaytimeClient(TimeSource &time, std::unique_ptr<Timer> timeout, ReaderMaker readers)
    : m_time(time)
    , m_timeout(std::move(timeout))
    , m_readers(std::move(readers))
{
    connect(m_timeout.get(), &Timer::timeout, this, [this] {
        if (!m_socket)
            return;
        // A server that sent its time but never closed has still answered.
        finishWithReplyOr(QStringLiteral("No reply from %1 in %2 s").arg(m_host).arg(TimeoutMs / 1000));
    });
}

DaytimeClient::~DaytimeClient() { cancel(); }

void DaytimeClient::cancel()
{
    m_timeout->stop();
    m_socket.reset();
}

void DaytimeClient::query(const QString &host)
{
    cancel();
    m_data.clear();
    m_firstByteMs = -1;
    QString setting;
    const std::optional<daytime::Endpoint> endpoint = daytime::endpointFor(host, &setting);
    if (!endpoint) {
        m_host = host;
        finish({host, std::nullopt,
                QStringLiteral("%1 \"%2\" is not host[:port]")
                    .arg(QLatin1String(daytime::OverrideVariable), setting)});
        return;
    }
    m_host = daytime::shownName(*endpoint);
    m_socket = m_readers();
    m_startedMs = m_time.monotonicMs();
    m_timeout->start(TimeoutMs);
    m_socket->connectTo(endpoint->host, endpoint->port,
                        {.hostFound = [this] { m_startedMs = m_time.monotonicMs(); },
                         .readyRead = [this] { collect(); },
                         .failed = [this](TcpReader::Failure failure) { failed(failure); }});
}

void DaytimeClient::collect()
{
    if (!m_socket)
        return;
    if (m_firstByteMs < 0 && m_socket->bytesAvailable() > 0) {
        m_firstByteMs = m_time.monotonicMs();
        m_firstByteWallMs = m_time.wallClockMs();
    }
    const qsizetype scanned = m_data.size();
    m_data += m_socket->read(daytime::MaxReplyBytes + 1 - m_data.size());
    if (m_data.size() > daytime::MaxReplyBytes) {
        finish({m_host, std::nullopt, QStringLiteral("Unrecognised reply from %1").arg(m_host)});
        return;
    }
    // The time is taken from the first whole line that reads as one, without waiting for the
    // server to close: a server that keeps the connection open would make it old.
    qsizetype lineStart = 0;
    for (qsizetype end = m_data.indexOf('\n'); end >= 0; end = m_data.indexOf('\n', lineStart)) {
        const QByteArray line = m_data.mid(lineStart, end + 1 - lineStart);
        lineStart = end + 1;
        if (end < scanned)
            continue; // read before, and not a reply
        if (std::optional<daytime::Reply> reply = daytime::parse(line)) {
            finish({m_host, std::move(reply), QString(), std::max<qint64>(0, m_firstByteMs - m_startedMs),
                    m_firstByteWallMs});
            return;
        }
    }
}

void DaytimeClient::failed(TcpReader::Failure failure)
{
    if (!m_socket)
        return;
    switch (failure) {
    case TcpReader::Failure::Closed:
        collect();
        if (!m_socket)
            return;
        finishWithReplyOr(QStringLiteral("%1 closed the connection without a reply").arg(m_host));
        return;
    case TcpReader::Failure::HostNotFound:
        finish({m_host, std::nullopt, QStringLiteral("Host not found: %1").arg(m_host)});
        return;
    case TcpReader::Failure::Refused:
        finish({m_host, std::nullopt, QStringLiteral("Connection refused by %1").arg(m_host)});
        return;
    case TcpReader::Failure::Other:
        finish({m_host, std::nullopt,
                QStringLiteral("No connection to %1: %2").arg(m_host, m_socket->errorString())});
        return;
    }
}

void DaytimeClient::finishWithReplyOr(const QString &noReply)
{
    if (m_data.isEmpty()) {
        finish({m_host, std::nullopt, noReply});
        return;
    }
    Answer answer{m_host, daytime::parse(m_data), QString(), 0, m_firstByteWallMs};
    if (!answer.reply)
        answer.problem = QStringLiteral("Unrecognised reply from %1").arg(m_host);
    answer.roundTripMs = std::max<qint64>(0, m_firstByteMs - m_startedMs);
    finish(std::move(answer));
}

void DaytimeClient::finish(Answer answer)
{
    cancel();
    if (m_onAnswer)
        m_onAnswer(answer);
}

} // namespace vrim
