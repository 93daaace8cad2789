#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace vrim {

// One running copy of the program per user and program folder. The first copy listens on a
// local socket in the user's runtime folder; a later start asks it to bring its launcher forward
// and ends instead of opening a second set of windows over the same settings files.
class RunningCopy final : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        First,      // no other copy runs: this one listens now and carries on
        HandedOver, // the running copy brought its launcher forward: this one ends, successfully
        NoAnswer,   // a copy runs but did not answer: this one ends, unsuccessfully
    };

    // The socket's full path for this user and program folder. Two users, or two program folders
    // (a build and the installed copy, each with its own settings), never share one.
    static QString socketPathFor(const QString &programFolder);

    // Whether a copy listens there now, asked without a request; for a look before the program
    // has set itself up, which claim() then settles.
    static bool isListening(const QString &socketPath);

    explicit RunningCopy(QString socketPath);
    ~RunningCopy() override;

    // Asks a running copy to come forward, or becomes the running copy. A socket left behind by a
    // copy that crashed answers nobody and is replaced. Starts that race each other take turns.
    Claim claim();
    // Stops answering, e.g. once the program has decided to end.
    void close();

Q_SIGNALS:
    // In the running copy, each time a later start asks it to come forward.
    void asked();

private:
    enum class Ask { Answered, NoOne, Silent };
    Ask askRunningCopy() const;
    void listen();
    void answer();

    QString m_socketPath;
    int m_listener = -1; // the listening socket, once this copy is the running one
    QSocketNotifier *m_calls = nullptr;
};

} // namespace vrim
