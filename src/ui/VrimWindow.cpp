#include "ui/VrimWindow.h"

#include "platform/InFront.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
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
    const QRect room = screen->availableGeometry();
    const int x = std::clamp(place.x(), room.left(), std::max(room.left(), room.right() + 1 - place.width()));
    const int y = std::clamp(place.y(), room.top(), std::max(room.top(), room.bottom() + 1 - place.height()));
    if (x != place.x() || y != place.y())
        window.move(x, y);
}

} // namespace

VrimWindow::VrimWindow(WindowRegistry &registry, QString name, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , m_registry(registry)
    , m_name(std::move(name))
{
    setObjectName(m_name);
    // A clock is a gadget the user glances at while working in another window: its tips show
    // on hover without clicking it first, as do those of every other window of ours.
    setAttribute(Qt::WA_AlwaysShowToolTips);
}

void VrimWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_registry.unload(m_name);
}

void VrimWindow::keyPressEvent(QKeyEvent *event)
{
    if (m_escapeCloses && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        close();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_enterButton && enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // A focused push button that did not take Enter itself is pressed; a radio button, a
        // check box or nothing focused leaves it to the dialog's Ok, as in any dialog.
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        QPushButton *pressed =
            focused && focused->isEnabled() && focused->isVisible() ? focused : m_enterButton.data();
        event->accept();
        pressed->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

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

void WidgetWindow::unloading()
{
    if (m_widget)
        m_widget->unloading();
}

} // namespace vrim
