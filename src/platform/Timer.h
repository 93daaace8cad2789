#pragma once

#include <functional>

namespace vrim {

// A repeating timer as the windows see it. Tests drive a fake one by hand, so nothing that
// counts ticks ever has to wait on the wall clock.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    void onTimeout(std::function<void()> handler) { m_handler = std::move(handler); }

protected:
    void fire()
    {
        if (m_handler)
            m_handler();
    }

private:
    std::function<void()> m_handler;
};

} // namespace vrim
