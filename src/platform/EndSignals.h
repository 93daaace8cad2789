#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace vrim {

// The system's requests to end: SIGTERM (the desktop session at logout, a shutdown, `kill`),
// SIGINT (Ctrl+C in the terminal it was started from) and SIGHUP (that terminal closed). A signal
// handler may do next to nothing, so it only writes a byte into a pipe; the event loop reads it
// and says so with requested(), where the program can end the way its own Exit does. A second
// signal of the same kind, while the first is being answered, ends the program at once.
// One object at a time; it puts the system's default handling back when it goes.
class EndSignals final : public QObject {
    Q_OBJECT
public:
    EndSignals();
    ~EndSignals() override;
    EndSignals(const EndSignals &) = delete;
    EndSignals &operator=(const EndSignals &) = delete;

Q_SIGNALS:
    void requested();

private:
    void readPipe();

    int m_pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_received = false;
};

} // namespace vrim
