#pragma once

#include "platform/ClockSetter.h"

#include <QObject>

namespace vrim {

// The system's clock: systemd-timedated's SetTime over the system bus, with the desktop's
// authorisation dialog; without timedated, clock_settime when this process may set the clock.
class SystemClockSetter final : public QObject, public ClockSetter {
    Q_OBJECT
public:
    void set(const ClockCorrection &correction, Done done) override;

private:
    static void setDirectly(const ClockCorrection &correction, const Done &done);
};

} // namespace vrim
