#include "platform/MoveGesture.h"

#include <utility>

namespace vrim {

void MoveGesture::press(QPoint pointer, QPoint window)
{
    m_state = State::Pressed;
    m_pressedAt = pointer;
    m_grabOffset = pointer - window;
}

MoveGesture::Step MoveGesture::move(QPoint pointer, bool buttonHeld)
{
    if (!buttonHeld)
        return release();
    if (m_state != State::Pressed || (pointer - m_pressedAt).manhattanLength() < m_dragDistance)
        return Step::None;
    m_state = State::Moving;
    return Step::StartMove;
}

MoveGesture::Step MoveGesture::release()
{
    const State was = std::exchange(m_state, State::Idle);
    switch (was) {
    case State::Pressed:
        return Step::Click;
    case State::Moving:
        return Step::MoveEnded;
    case State::Idle:
        break;
    }
    return Step::None;
}

} // namespace vrim
