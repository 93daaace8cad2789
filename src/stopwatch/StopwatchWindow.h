#pragma once

#include "platform/QtWindowOps.h"
#include "stopwatch/StopwatchModel.h"
#include "ui/VrimWindow.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vrim {

class ClickLabel;
class Platform;
class SecondTicker;

// Gantos: two stopwatches side by side, an ordinary fixed-size window. The counting is the
// model's; this shows it, turns clicks into the model's operations and runs the menu.
class StopwatchWindow final : public VrimWindow {
    Q_OBJECT
public:
    StopwatchWindow(WindowRegistry &registry, Platform &platform, SecondTicker &ticker);
    ~StopwatchWindow() override;

    void unloading() override;
    bool staysOnTop() const override;
    void setStaysOnTop(bool onTop) override;
    const StopwatchModel &model() const { return m_model; }

    // One pass of the ticker.
    void pass();
    // The pop-up menu as it would show now; popUpMenu() shows it at the pointer, or at `at`.
    std::unique_ptr<QMenu> makeMenu();
    void popUpMenu(std::optional<QPoint> at = std::nullopt);
    void chooseMenuItem(const QString &name);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Column {
        QLabel *clock = nullptr;
        QLineEdit *started = nullptr;
        QLineEdit *stopped = nullptr;
        QLabel *hours = nullptr;
        QLabel *minutes = nullptr;
        QLabel *seconds = nullptr;
        QPushButton *button = nullptr;
    };
    Column makeColumn(int left, const QString &title, const char *const names[8]);
    void showState();
    void pressOnTopButton();
    void moveToHelpPlace();
    void watchEventLoop();

    StopwatchModel m_model;
    QPointer<SecondTicker> m_ticker; // the program's; a window deleted at exit may outlive it
    QtWindowOps m_ops;
    int m_subscription = 0;
    Column m_first;
    Column m_second;
    QPushButton *m_both = nullptr;
    ClickLabel *m_menuButton = nullptr;
    ClickLabel *m_onTop = nullptr;
    QString m_logged;
    // Measures how long the event loop is kept from a 10 ms timer, and how much of that it was
    // busy, when asked to.
    QTimer m_watchdog;
    QElapsedTimer m_watchdogClock;
    qint64 m_watchdogLast = 0;
    qint64 m_watchdogWorst = 0;
    qint64 m_watchdogSince = 0;
    qint64 m_watchdogCpuLast = 0; // the thread's CPU time, microseconds
    qint64 m_watchdogBusiest = 0;
};

} // namespace vrim
