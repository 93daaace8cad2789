#include "shell/ClickArea.h"

#include <QMouseEvent>

namespace vrim {

ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_leftHeld = event->button() == Qt::LeftButton;
    event->accept();
    Q_EMIT buttonDown();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_leftHeld && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_leftHeld = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}

} // namespace vrim
