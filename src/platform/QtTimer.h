#pragma once

#include "platform/Timer.h"

#include <QTimer>

namespace vrim {

class QtTimer final : public Timer {
public:
    QtTimer();
    void start(int intervalMs) override;
    void stop() override;
    bool isActive() const override;

private:
    QTimer m_timer;
};

} // namespace vrim
