#pragma once

#include <QLabel>

namespace vrim {

// A label that reports a mouse button going down, a click (left button pressed and released
// over it) and a double click separately, since some controls answer to one and some to the other.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);

    // What the label is to assistive technology and the keyboard: words only, or a control that
    // is pressed (a button, a button with a menu, a check box, a link).
    enum class Role { Label, Button, MenuButton, CheckBox, Link };
    void setControlRole(Role role) { m_role = role; }
    Role controlRole() const { return m_role; }
    // A check box's state, as assistive technology hears it.
    void setChecked(bool checked);
    bool isChecked() const { return m_checked; }
    // A left click from the keyboard or assistive technology: down, up, clicked. A label that
    // only answers the mouse (a handle to drag the window by) is not pressed that way.
    void press();
    void setPressable(bool pressable) { m_pressable = pressable; }
    bool isPressable() const { return m_pressable; }

Q_SIGNALS:
    void buttonDown(Qt::MouseButton button);
    void buttonUp(Qt::MouseButton button);
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool m_leftHeld = false;
    Role m_role = Role::Label;
    bool m_checked = false;
    bool m_pressable = true;
};

// A web link as the program draws it: blue words and its own pointer.
ClickLabel *makeLinkLabel(QWidget *parent, const QString &text, const QRect &geometry);

} // namespace vrim
