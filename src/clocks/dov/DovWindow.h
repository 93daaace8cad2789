#pragma once

#include "clocks/dov/DovClock.h"
#include "platform/SecondTicker.h"
#include "shell/ClockWindow.h"

#include <QImage>
#include <QPointer>

#include <memory>

namespace vrim {

class ClickLabel;
class Platform;

class DovWindow final : public ClockWindow {
    Q_OBJECT
public:
    DovWindow(WindowRegistry &registry, Platform &platform, SecondTicker &ticker,
              const DataFolders &folders);
    ~DovWindow() override;

    DovClock &clock() { return m_clock; }
    bool hasSkin() const { return !m_skin.isNull(); }
    void unloading() override;
    RefreshSignal *refreshSignal() override { return &m_clock.refresh(); }

    // Label1: the minutes, painted in this font into this box.
    static QFont minutesFont();
    static QRect minutesRect();

    // One pass of the timer, as the ticker runs it.
    void pass();

    ClickLabel *quitButton() const { return m_quit; }
    ClickLabel *menuButton() const { return m_menu; }
    ClickLabel *onTopButton() const { return m_onTop; }
    ClickLabel *moveButton() const { return m_move; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    void loadSkin();
    void showState();
    void report(const QString &problem);

    Platform &m_platform;
    QPointer<SecondTicker> m_ticker; // the program's; a window deleted at exit may outlive it
    std::unique_ptr<SoundPlayer> m_player;
    DovClock m_clock;
    int m_subscription = 0;
    QImage m_skin;
    QStringList m_problems;         // said while reading the settings this time
    QStringList m_previousProblems; // found by the load or reload before
    DovFace m_shown; // what the last paint showed
    ClickLabel *m_quit;
    ClickLabel *m_menu;
    ClickLabel *m_onTop;
    ClickLabel *m_move;
};

} // namespace vrim
