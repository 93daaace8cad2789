#pragma once

#include <QObject>

namespace vrim {

// A repeating timer as the windows see it. Tests drive a fake one by hand, so nothing that
// counts ticks ever has to wait on the wall clock.
class Timer : public QObject {
    Q_OBJECT
public:
    virtual ~Timer() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

Q_SIGNALS:
    void timeout();
};

} // namespace vrim
