#pragma once

#include "nettime/DaytimeReply.h"
#include "platform/TcpReader.h"
#include "platform/TimeSource.h"
#include "platform/Timer.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace vrim {

// One Daytime query at a time over TCP, never waiting on the thread: the reply is handed over as
// soon as a whole line of it reads as a time, else when the server closes the connection (at
// most 1 KiB, at most 10 s).
class DaytimeClient final : public QObject {
    Q_OBJECT
public:
    static constexpr int TimeoutMs = 10000;

    struct Answer {
        QString host;                        // as shown to the user
        std::optional<daytime::Reply> reply; // nothing: refused or failed, see `problem`
        QString problem;                     // what went wrong, in words; empty on a reply
        qint64 roundTripMs = 0;              // from the connection attempt to the first byte
        qint64 arrivedWallMs = 0;            // the PC's wall clock when the first byte came
    };
    using AnswerHandler = std::function<void(const Answer &)>;
    // A new connection for each query.
    using ReaderMaker = std::function<std::unique_ptr<TcpReader>()>;

    // `timeout` is started for each query and stopped when it ends.
    DaytimeClient(TimeSource &time, std::unique_ptr<Timer> timeout, ReaderMaker readers);
    ~DaytimeClient() override;

    void onAnswer(AnswerHandler handler) { m_onAnswer = std::move(handler); }

    // Asks `host` (or the host the override setting names); drops a query still running.
    void query(const QString &host);
    // Drops the query in flight, if any, without an answer.
    void cancel();
    bool busy() const { return m_socket != nullptr; }

private:
    void collect();
    void failed(TcpReader::Failure failure);
    void finish(Answer answer);
    // Finishes with what the server sent, or with the problem noReply when it sent nothing.
    void finishWithReplyOr(const QString &noReply);

    TimeSource &m_time;
    std::unique_ptr<Timer> m_timeout;
    AnswerHandler m_onAnswer;
    ReaderMaker m_readers;
    std::unique_ptr<TcpReader> m_socket;
    QString m_host;
    QByteArray m_data;
    qint64 m_startedMs = 0;
    qint64 m_firstByteMs = -1;
    qint64 m_firstByteWallMs = 0;
};

} // namespace vrim
