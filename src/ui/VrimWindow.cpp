#include "ui/VrimWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace vrim {

VrimWindow::VrimWindow(WindowRegistry &registry, QString name, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
    , m_registry(registry)
    , m_name(std::move(name))
{
    setObjectName(m_name);
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
    m_widget->show();
    m_widget->raise();
    m_widget->activateWindow();
}

void WidgetWindow::unloading()
{
    if (m_widget)
        m_widget->unloading();
}

} // namespace vrim
