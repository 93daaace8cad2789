#include "ui/VrimWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

#include <utility>

namespace vrim {

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

void VrimWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (isVisible())
        m_registry.noteChanged(m_name);
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

} // namespace vrim
