#include "platform/QtWindowOps.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QRegion>
#include <QScreen>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

namespace vrim {
namespace {

constexpr int MoveWatchMs = 100;
constexpr int QuietChecksToEnd = 3;   // still for 0.3 s with no button down
constexpr int QuietChecksAtMost = 30; // the release may never reach us; 3 s still is an end too

} // namespace

QtWindowOps::QtWindowOps(QWidget *window)
    : m_window(window)
    , m_gesture(QGuiApplication::styleHints()->startDragDistance())
{
    m_moveWatch.setInterval(MoveWatchMs);
    connect(&m_moveWatch, &QTimer::timeout, this, &QtWindowOps::watchSystemMove);
    // The press that starts a drag has been seen by the time the handle asks for it: keep where
    // every press on this window was.
    qApp->installEventFilter(this);
}

void QtWindowOps::startDrag(std::function<void()> ended)
{
    if (!m_window || m_gesture.isMoving())
        return;
    m_ended = std::move(ended);
    m_gesture.press(m_pressedAt, m_window->pos());
}

void QtWindowOps::startMove(QPoint pointer)
{
    m_window->move(m_gesture.moveTo(pointer));
    // Where the program can place its own windows (X11) it follows the pointer itself: a window
    // manager starts its move from wherever the pointer is when it takes over, so the window
    // would trail the pointer by the drag distance. Elsewhere (Wayland) only the compositor can
    // move it.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    QWindow *native = m_window->windowHandle();
    if (native && native->startSystemMove()) {
        // The compositor moves it; it does not tell us when it is done, so watch.
        m_systemMove = true;
        m_lastPos = m_window->pos();
        m_quietChecks = 0;
        m_moveWatch.start();
    }
}

void QtWindowOps::watchSystemMove()
{
    const QPoint pos = m_window ? m_window->pos() : m_lastPos;
    if (pos != m_lastPos) {
        m_lastPos = pos;
        m_quietChecks = 0;
        return;
    }
    ++m_quietChecks;
    const bool released = QGuiApplication::mouseButtons() == Qt::NoButton;
    if ((released && m_quietChecks >= QuietChecksToEnd) || m_quietChecks >= QuietChecksAtMost)
        finishDrag();
}

bool QtWindowOps::eventFilter(QObject *watched, QEvent *event)
{
    // The mouse's events as the window's widgets get them (one that a widget leaves goes on to
    // its parent, which changes nothing here).
    if (!m_window || !watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_pressedAt = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        return false;
    case QEvent::MouseMove: {
        if (!m_gesture.isPressed() || m_systemMove)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint pointer = mouse->globalPosition().toPoint();
        if (m_gesture.isMoving()) {
            m_window->move(m_gesture.moveTo(pointer)); // the window follows the pointer itself
            return true;
        }
        switch (m_gesture.move(pointer, mouse->buttons() != Qt::NoButton)) {
        case MoveGesture::Step::StartMove:
            startMove(pointer);
            return true;
        case MoveGesture::Step::Click:
            finishDrag(); // the release went elsewhere (a menu the double click opened)
            return false;
        default:
            return false;
        }
    }
    case QEvent::MouseButtonRelease:
        // During the compositor's move the watch decides when it is over.
        if (m_gesture.isPressed() && !m_systemMove && m_gesture.release() != MoveGesture::Step::None)
            finishDrag();
        return false;
    default:
        return false;
    }
}

void QtWindowOps::finishDrag()
{
    m_moveWatch.stop();
    m_systemMove = false;
    m_gesture.release();
    // A press and release without moving ends a drag that went nowhere: the after-drag step runs
    // as after any other.
    auto ended = std::move(m_ended);
    m_ended = nullptr;
    if (ended)
        ended();
}

void QtWindowOps::keepOnTop() { setOnTop(true); }

bool QtWindowOps::canKeepOnTop() const
{
    // Wayland has no way for a client to ask to stay on top; under XWayland the X window manager
    // still honours the request.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
void QtWindowOps::releaseFromTop() { setOnTop(false); }

void QtWindowOps::setOnTop(bool onTop)
{
    if (!m_window)
        return;
    if (QWindow *native = m_window->windowHandle()) {
        // On the live window the platform updates its stacking state in place.
        native->setFlag(Qt::WindowStaysOnTopHint, onTop);
    } else {
        m_window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
}

void QtWindowOps::setEllipticShape(const QRect &bounds, const QRect &hole)
{
    // In logical pixels: on a dense screen the platform scales the mask with the window.
    QRegion shape(bounds, QRegion::Ellipse);
    if (!hole.isEmpty())
        shape -= QRegion(hole, QRegion::Ellipse);
    if (m_window)
        m_window->setMask(shape);
}

int QtWindowOps::left() const { return m_window ? m_window->x() : 0; }

int QtWindowOps::screenWidth() const
{
    const QScreen *screen = m_window ? m_window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

void QtWindowOps::moveLeft(int left)
{
    if (m_window)
        m_window->move(left, m_window->y());
}

} // namespace vrim
