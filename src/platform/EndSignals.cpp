#include "platform/EndSignals.h"

#include <QtGlobal>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vrim {
namespace {

constexpr int Handled[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe's writing end, for the handler; -1 while no EndSignals exists.
volatile sig_atomic_t g_writeEnd = -1;

extern "C" void onEndSignal(int signal)
{
    const int savedErrno = errno;
    const int fd = g_writeEnd;
    if (fd >= 0) {
        const char byte = char(signal);
        // A full pipe already holds a request: losing this byte loses nothing.
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

EndSignals::EndSignals()
{
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("Vrim Clocks cannot watch for the session's request to end: %s", strerror(errno));
        return;
    }
    g_writeEnd = m_pipe[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_pipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &EndSignals::readPipe);

    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls carry on; once handled, the next signal of the kind takes the
    // default action, so a program stuck while ending can still be ended.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : Handled)
        ::sigaction(signal, &action, nullptr);
}

EndSignals::~EndSignals()
{
    for (const int signal : Handled)
        std::signal(signal, SIG_DFL);
    g_writeEnd = -1;
    m_notifier.reset();
    for (const int fd : m_pipe) {
        if (fd >= 0)
            ::close(fd);
    }
}

void EndSignals::readPipe()
{
    char bytes[16];
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (m_received)
        return;
    m_received = true;
    Q_EMIT requested();
}

} // namespace vrim
