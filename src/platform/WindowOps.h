#pragma once

#include <QRect>

#include <functional>

namespace vrim {

// What a clock asks of its own native window.
class WindowOps {
public:
    virtual ~WindowOps() = default;
    // Called as a mouse button goes down on a move handle: once the pointer has gone the drag
    // distance the window follows it until the button is released. `ended` runs once after the
    // release, also when the pointer never went anywhere (a click is a drag that went nowhere).
    virtual void startDrag(std::function<void()> ended) = 0;
    virtual void keepOnTop() = 0;
    virtual void releaseFromTop() = 0;
    // Whether keepOnTop() has any effect here. On Wayland the compositor alone decides what stays
    // on top, so an on-top button there must not claim that its window does.
    virtual bool canKeepOnTop() const { return true; }
    // Only the ellipse inside `bounds` (client pixels), less the ellipse inside `hole` (none when
    // empty), belongs to the window: the rest is neither drawn nor clickable.
    virtual void setEllipticShape(const QRect &bounds, const QRect &hole) = 0;
    // The window's left edge and the width of its screen, in logical pixels.
    virtual int left() const = 0;
    virtual int screenWidth() const = 0;
    // Moves the window sideways; its top stays.
    virtual void moveLeft(int left) = 0;
};

} // namespace vrim
