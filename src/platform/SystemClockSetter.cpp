#include "platform/SystemClockSetter.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace vrim {
namespace {

const QString Timedated = QStringLiteral("org.freedesktop.timedate1");

QString setText(const ClockCorrection &correction)
{
    return correction.instant.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'"));
}

} // namespace

void SystemClockSetter::set(const ClockCorrection &correction, Done done)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        setDirectly(correction, done);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        Timedated, QStringLiteral("/org/freedesktop/timedate1"), QStringLiteral("org.freedesktop.timedate1"),
        QStringLiteral("SetTime"));
    // usec_utc relative to now, relative, interactive (the desktop asks for a password).
    call << qint64(correction.correctionMs * 1000) << true << true;
    call.setInteractiveAuthorizationAllowed(true);
    // The user may take a while over the authorisation dialog.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5 * 60 * 1000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, correction, done = std::move(done)] {
        watcher->deleteLater();
        const QDBusPendingReply<> reply = *watcher;
        if (!reply.isError()) {
            done(true, QStringLiteral("PC clock set to %1").arg(setText(correction)));
            return;
        }
        switch (reply.error().type()) {
        case QDBusError::ServiceUnknown:
        case QDBusError::NoServer:
        case QDBusError::Disconnected:
            // No timedated on this system. The correction is relative, so it still holds.
            setDirectly(correction, done);
            return;
        default:
            done(false, QStringLiteral("PC clock not set: %1").arg(reply.error().message()));
        }
    });
}

void SystemClockSetter::setDirectly(const ClockCorrection &correction, const Done &done)
{
    timespec now{};
    if (clock_gettime(CLOCK_REALTIME, &now) != 0) {
        done(false, QStringLiteral("PC clock not set: cannot read the clock"));
        return;
    }
    const qint64 ns = qint64(now.tv_sec) * 1000000000 + now.tv_nsec + correction.correctionMs * 1000000;
    const timespec target{time_t(ns / 1000000000), long(ns % 1000000000)};
    if (clock_settime(CLOCK_REALTIME, &target) != 0) {
        const int error = errno;
        done(false,
             error == EPERM
                 ? QStringLiteral("PC clock not set: no time service (systemd-timedated) is running, "
                                  "and this program may not set the clock itself")
                 : QStringLiteral("PC clock not set: %1").arg(QString::fromLocal8Bit(std::strerror(error))));
        return;
    }
    done(true, QStringLiteral("PC clock set to %1").arg(setText(correction)));
}

} // namespace vrim
