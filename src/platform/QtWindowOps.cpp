#include "platform/QtWindowOps.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QRegion>
#include <QScreen>
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
{
    m_moveWatch.setInterval(MoveWatchMs);
    connect(&m_moveWatch, &QTimer::timeout, this, &QtWindowOps::watchSystemMove);
}

void QtWindowOps::startDrag(std::function<void()> ended)
{
    if (!m_window || m_ended)
        return;
    m_ended = std::move(ended);
    QWindow *native = m_window->windowHandle();
    if (native && native->startSystemMove()) {
        // The window manager moves it; it does not tell us when it is done, so watch.
        m_lastPos = m_window->pos();
        m_quietChecks = 0;
        m_moveWatch.start();
        return;
    }
    m_grabOffset = QCursor::pos() - m_window->pos();
    qApp->installEventFilter(this);
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

bool QtWindowOps::eventFilter(QObject *, QEvent *event)
{
    if (!m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        m_window->move(mouse->globalPosition().toPoint() - m_grabOffset);
        return true;
    }
    case QEvent::MouseButtonRelease:
        qApp->removeEventFilter(this);
        finishDrag();
        return true;
    default:
        return false;
    }
}

void QtWindowOps::finishDrag()
{
    m_moveWatch.stop();
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
