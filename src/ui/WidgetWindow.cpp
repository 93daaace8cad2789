#include "ui/WidgetWindow.h"

#include "base/Geometry.h"
#include "platform/InFront.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace vrim {
namespace {

// The fixed first places were chosen for a screen of 1024 by 768 points or more; on a smaller
// screen, or a large one at a large scale, a window would open partly or wholly off it.
void keepOnScreen(QWidget &window)
{
    const QRect place = window.geometry();
    const QScreen *screen = QGuiApplication::screenAt(place.center());
    if (!screen)
        screen = window.screen();
    if (!screen)
        return;
    const QPoint kept = keptWithin(place, screen->availableGeometry());
    if (kept != place.topLeft())
        window.move(kept);
}

} // namespace

WidgetWindow::WidgetWindow(VrimWindow *widget)
    : m_widget(widget)
{}

WidgetWindow::~WidgetWindow()
{
    if (m_widget) {
        m_widget->hide();
        m_widget->deleteLater();
    }
}

void WidgetWindow::present()
{
    if (!m_widget)
        return;
    m_widget->setWindowState(m_widget->windowState() & ~Qt::WindowMinimized);
    const bool inFront = m_widget->opensInFront();
    if (!m_widget->isVisible()) {
        keepOnScreen(*m_widget);
        if (inFront)
            infront::prepare(m_widget);
    }
    m_widget->show();
    if (inFront) {
        infront::bringForward(m_widget);
        return;
    }
    m_widget->raise();
    m_widget->activateWindow();
}

std::optional<WindowPlace> WidgetWindow::place() const
{
    if (!m_widget)
        return std::nullopt;
    return WindowPlace{m_widget->frameGeometry(), m_widget->staysOnTop()};
}

void WidgetWindow::putAt(const WindowPlace &place)
{
    if (!m_widget)
        return;
    m_widget->move(place.frame.topLeft());
    if (m_widget->staysOnTop() != place.onTop)
        m_widget->setStaysOnTop(place.onTop);
}

void WidgetWindow::unloading()
{
    if (m_widget)
        m_widget->unloading();
}

} // namespace vrim
