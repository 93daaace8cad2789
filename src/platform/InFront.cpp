#include "platform/InFront.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace vrim::infront {
namespace {

bool isOpener(const QWidget *window)
{
    // A menu or a tool-tip opens nothing: what it belongs to does.
    const Qt::WindowType type = window->windowType();
    return window->isWindow() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen;
}

// The last window the user pressed or typed in, or the program showed: a dialog opened now was
// opened from it. A clock that reports a damaged file while it loads shows its box only once it
// is shown itself, so the clock is the last shown by then.
class OpenerWatch final : public QObject {
public:
    QPointer<QWidget> last;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::KeyPress || type == QEvent::Show) &&
            watched->isWidgetType()) {
            QWidget *window = static_cast<QWidget *>(watched)->window();
            // A message or chooser the program shows opens nothing of its own; a window may.
            const bool shown = type == QEvent::Show;
            if ((!shown || (watched == window && !qobject_cast<QDialog *>(window))) && isOpener(window))
                last = window;
        }
        return false;
    }
};

OpenerWatch *watch()
{
    static auto *const theWatch = new OpenerWatch;
    return theWatch;
}

QWidget *openerOf(const QWidget *dialog)
{
    for (QWidget *candidate : {watch()->last.data(), QApplication::activeWindow()}) {
        if (candidate && candidate != dialog && candidate->isVisible() && isOpener(candidate))
            return candidate;
    }
    return nullptr;
}

bool anyOnTop(const QWidget *dialog)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.cbegin(), windows.cend(), [dialog](const QWidget *window) {
        const QWindow *native = window->windowHandle();
        return window != dialog && window->isVisible() && native &&
               native->flags().testFlag(Qt::WindowStaysOnTopHint);
    });
}

} // namespace

void watchOpeners()
{
    if (qApp)
        qApp->installEventFilter(watch());
}

void prepare(QWidget *dialog)
{
    if (anyOnTop(dialog))
        dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    QWidget *opener = openerOf(dialog);
    if (!opener)
        return;
    dialog->winId(); // the native window, to be made transient
    if (QWindow *native = dialog->windowHandle())
        native->setTransientParent(opener->windowHandle());
}

void bringForward(QWidget *dialog)
{
    if (const QScreen *screen = dialog->screen()) {
        const QRect room = screen->availableGeometry();
        const QRect was = dialog->frameGeometry();
        QRect frame = was;
        // A message is about the window it came from (a clock that shows its plain face): beside
        // it, below or else above, not over it.
        const QWindow *native = dialog->windowHandle();
        const QWindow *opener = native ? native->transientParent() : nullptr;
        if (opener && qobject_cast<QMessageBox *>(dialog) && frame.intersects(opener->frameGeometry())) {
            const QRect beside = opener->frameGeometry();
            frame.moveTopLeft({beside.center().x() - frame.width() / 2, beside.bottom() + 1});
            if (frame.bottom() > room.bottom())
                frame.moveBottom(beside.top() - 1);
        }
        // Its title bar and buttons on the screen, where the window manager's frame allows.
        frame.moveLeft(
            std::clamp(frame.x(), room.left(), std::max(room.left(), room.right() + 1 - frame.width())));
        frame.moveTop(
            std::clamp(frame.y(), room.top(), std::max(room.top(), room.bottom() + 1 - frame.height())));
        if (frame.topLeft() != was.topLeft())
            dialog->move(dialog->pos() + (frame.topLeft() - was.topLeft()));
    }
    dialog->raise();
    dialog->activateWindow();
}

} // namespace vrim::infront
