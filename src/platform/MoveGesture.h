#pragma once

#include <QPoint>

namespace vrim {

// What a press on a move handle turns into. The window manager takes the pointer as soon as it
// starts a move, so the window would never see the rest of a click or a double click: the move
// starts only once the pointer has gone the platform's drag distance with the button held. Until
// then the press may still become a click.
class MoveGesture {
public:
    enum class Step {
        None,      // nothing to do yet
        StartMove, // hand the move over now, with the window at moveTo()
        Click,     // the button came up without the pointer going anywhere
        MoveEnded, // the button came up after a move
    };

    explicit MoveGesture(int dragDistance)
        : m_dragDistance(dragDistance)
    {}

    // The button went down with the pointer at `pointer` and the window's top left at `window`
    // (both in screen pixels).
    void press(QPoint pointer, QPoint window);
    // The pointer moved; `buttonHeld` says whether the pressed button is still down (a release
    // that went to another window, a menu's, is seen here as a move without it).
    Step move(QPoint pointer, bool buttonHeld);
    Step release();

    bool isPressed() const { return m_state != State::Idle; }
    bool isMoving() const { return m_state == State::Moving; }
    // Where the window's top left belongs with the pointer at `pointer`: the point it was grabbed
    // by stays under the pointer, so the window never jumps when the move starts.
    QPoint moveTo(QPoint pointer) const { return pointer - m_grabOffset; }

private:
    enum class State { Idle, Pressed, Moving };

    int m_dragDistance;
    State m_state = State::Idle;
    QPoint m_pressedAt;
    QPoint m_grabOffset;
};

} // namespace vrim
