#pragma once

#include "platform/WindowOps.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace vrim {

// Window operations on a top-level widget. On-top is switched on the native window, so the
// window neither re-creates nor flickers. Dragging is left to the window manager where it offers
// it, and otherwise follows the mouse until the button is released.
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
    void watchSystemMove();
    void finishDrag();

    QPointer<QWidget> m_window;
    std::function<void()> m_ended;
    QPoint m_grabOffset; // pointer position relative to the window, during a manual drag
    QTimer m_moveWatch;
    QPoint m_lastPos;
    int m_quietChecks = 0;
};

} // namespace vrim
