#pragma once

#include <QLabel>

namespace vrim {

// A label that reports a mouse button going down, a click (left button pressed and released
// over it) and a double click separately, since some controls answer to one and some to the other.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent = nullptr);

Q_SIGNALS:
    void buttonDown(Qt::MouseButton button);
    void buttonUp(Qt::MouseButton button);
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_leftHeld = false;
};

// A web link as the program draws it: blue words and its own pointer.
ClickLabel *makeLinkLabel(QWidget *parent, const QString &text, const QRect &geometry);

} // namespace vrim
