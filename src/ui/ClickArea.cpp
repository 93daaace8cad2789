#include "ui/ClickArea.h"

#include <QMouseEvent>
#include <QPixmap>

#include <algorithm>

namespace vrim {

ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_leftHeld = event->button() == Qt::LeftButton;
    event->accept();
    Q_EMIT buttonDown(event->button());
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click =
        m_leftHeld && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_leftHeld = false;
    event->accept();
    Q_EMIT buttonUp(event->button());
    if (click)
        Q_EMIT clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is a button going down as well.
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

ClickLabel *makeLinkLabel(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *link = new ClickLabel(parent);
    link->setText(text);
    // The words are the link: where a face runs a pixel wider than the layout's, the label grows
    // to the right rather than cut them.
    link->setGeometry(geometry.adjusted(0, 0, std::max(0, link->sizeHint().width() - geometry.width()), 0));
    QPalette blue = link->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    link->setPalette(blue);
    const QPixmap pointer(QStringLiteral(":/artwork/link-cursor.png"));
    link->setCursor(pointer.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(pointer, 1, 1));
    return link;
}

} // namespace vrim
