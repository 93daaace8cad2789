#pragma once

#include "base/WindowRegistry.h"

#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace vrim {

// A top-level window of the program. Closing it by any means unloads it through the registry,
// so its closing behaviour runs exactly once.
class VrimWindow : public QWidget {
    Q_OBJECT
public:
    VrimWindow(WindowRegistry &registry, QString name, Qt::WindowFlags flags);

    const QString &windowName() const { return m_name; }
    WindowRegistry &registry() const { return m_registry; }

    // The window's own closing behaviour, run while it is still loaded.
    virtual void unloading() {}
    virtual RefreshSignal *refreshSignal() { return nullptr; }
    virtual void setPageKey(const QString &) {}
    bool opensInFront() const { return m_inFront; }
    // Whether it stays on top of other windows, for a window with an on-top button; setting it
    // presses that button when it says otherwise.
    virtual bool staysOnTop() const { return false; }
    virtual void setStaysOnTop(bool) {}

protected:
    void closeEvent(QCloseEvent *event) override;
    // Tells the registry that the user moved the window.
    void moveEvent(QMoveEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // A dialog, or a window the user reads and puts away (help, Ostran Time): Escape closes it as
    // its close box does, unless a control of it used the key.
    void closeOnEscape() { m_escapeCloses = true; }
    // A dialog: Enter presses the focused push button, or `ok` when the focus is on none.
    void pressOnEnter(QPushButton *ok) { m_enterButton = ok; }
    // A window opened from another to be dealt with (a dialog, a help page): it opens in front
    // of the window it was opened from and of every window that stays on top.
    void openInFront() { m_inFront = true; }

private:
    WindowRegistry &m_registry;
    QString m_name;
    bool m_escapeCloses = false;
    QPointer<QPushButton> m_enterButton;
    bool m_inFront = false;
};

} // namespace vrim
