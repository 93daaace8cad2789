#pragma once

#include "platform/MoveGesture.h"
#include "platform/WindowOps.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace vrim {

// Window operations on a top-level widget. On-top is switched on the native window, so the
// window neither re-creates nor flickers. A drag becomes a move once the pointer has gone the drag
// distance (a press and release in place stays a click); the window then follows the mouse until
// the button is released, or on Wayland, where a window cannot place itself, the compositor
// moves it.
class QtWindowOps final : public QObject, public WindowOps {
    Q_OBJECT
public:
    explicit QtWindowOps(QWidget *window);

    void startDrag(std::function<void()> ended) override;
    void keepOnTop() override;
    void releaseFromTop() override;
    bool canKeepOnTop() const override;
    void setEllipticShape(const QRect &bounds, const QRect &hole) override;
    int left() const override;
    int screenWidth() const override;
    void moveLeft(int left) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setOnTop(bool onTop);
    void startMove(QPoint pointer);
    void watchSystemMove();
    void finishDrag();

    QPointer<QWidget> m_window;
    std::function<void()> m_ended;
    MoveGesture m_gesture;
    QPoint m_pressedAt; // the last press on the window, in screen pixels
    bool m_systemMove = false;
    QTimer m_moveWatch;
    QPoint m_lastPos;
    int m_quietChecks = 0;
};

} // namespace vrim
