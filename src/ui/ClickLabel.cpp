#include "ui/ClickLabel.h"

#include "ui/Accessible.h"
#include "ui/Artwork.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace vrim {

ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{
    accessible::install();
}

void ClickLabel::setChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    if (!accessible::listening())
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void ClickLabel::press()
{
    if (!m_pressable)
        return;
    Q_EMIT buttonDown(Qt::LeftButton);
    Q_EMIT buttonUp(Qt::LeftButton);
    Q_EMIT clicked();
}

void ClickLabel::keyPressEvent(QKeyEvent *event)
{
    // Only a label that takes the keyboard's focus sees keys: Enter and Space press it.
    const bool pressKey =
        event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_role == Role::Label || !m_pressable || !pressKey ||
        (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    press();
}

void ClickLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    // A check box's colour is in its description.
    if (event->type() == QEvent::PaletteChange && m_role == Role::CheckBox && accessible::listening()) {
        QAccessibleEvent described(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    }
}

void ClickLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Only the keyboard gives these labels focus; the mouse never does, so it sees no change.
    // The style's own mark is drawn only after a Tab, and faintly, in a tint of the colour
    // under it; these labels come in every colour and over pictures. Dots of black and white
    // show on any of them, whichever way the focus came.
    QPainter painter(this);
    const QRect mark = rect().adjusted(2, 2, -3, -3);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(mark);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawRect(mark);
}

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
    link->setControlRole(ClickLabel::Role::Link);
    link->setText(text);
    // The words are the link: where a face runs a pixel wider than the layout's, the label grows
    // to the right rather than cut them.
    link->setGeometry(geometry.adjusted(0, 0, std::max(0, link->sizeHint().width() - geometry.width()), 0));
    QPalette blue = link->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    link->setPalette(blue);
    const QPixmap pointer = QPixmap::fromImage(readPng(QStringLiteral(":/artwork/link-cursor.png")));
    link->setCursor(pointer.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(pointer, 1, 1));
    return link;
}

} // namespace vrim
