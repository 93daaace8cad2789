#pragma once

#include <QRect>

#include <functional>

namespace vrim {

// What a clock asks of its own native window.
class WindowOps {
public:
    virtual ~WindowOps() = default;
    // Moves the window with the mouse until the button is released; `ended` runs once after.
    virtual void startDrag(std::function<void()> ended) = 0;
    virtual void keepOnTop() = 0;
    virtual void releaseFromTop() = 0;
    // Only the ellipse inside `bounds` (client pixels) belongs to the window.
    virtual void setEllipticShape(const QRect &bounds) = 0;
};

} // namespace vrim
