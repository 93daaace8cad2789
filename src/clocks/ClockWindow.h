#pragma once

#include "clocks/Clock.h"
#include "platform/QtWindowOps.h"
#include "ui/SpokenText.h"
#include "ui/VrimWindow.h"

#include <QImage>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

namespace vrim {

class ClickLabel;
class Platform;
class SecondTicker;
class SpokenText;

// The window of any clock: a borderless, fixed-size gadget without a taskbar button. It
// owns the clock's player, feeds it the ticker's passes, loads its pictures, makes its frame
// buttons and paints its face; the design itself is all in its clock.
class ClockWindow : public VrimWindow {
    Q_OBJECT
public:
    // The window of the design's clock, made as its card says.
    ClockWindow(WindowRegistry &registry, Platform &platform, SecondTicker &ticker,
                const DataFolders &folders, Design design);
    ~ClockWindow() override;

    Clock &clock() { return *m_clock; }
    QtWindowOps &windowOps() { return m_ops; }
    void unloading() override;
    RefreshSignal *refreshSignal() override { return &m_clock->refresh(); }
    bool staysOnTop() const override;
    void setStaysOnTop(bool onTop) override;

    // One pass of the timer, as the ticker runs it.
    void pass();

    QWidget *button(const QString &name) const;
    bool hasPicture(int slot = 0) const;

    // Pops the design's menu up at the pointer, or at `at`; the chosen item goes to the frame once
    // it closes.
    void popUpMenu(std::optional<QPoint> at = std::nullopt);
    // What the menu button does, from the keyboard (the Menu key, Shift+F10).
    void useMenuFromKeyboard();
    // The face in words, as assistive technology reads it.
    SpokenText *spokenFace() const { return m_spoken; }
    // The items of the design's menu as they would show now: name -> enabled, checked.
    struct ItemState {
        QString caption;
        bool enabled = true;
        bool checked = false;
    };
    std::vector<std::pair<QString, ItemState>> menuItems() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void makeButtons();
    void loadPictures();
    QString readPicture(int slot, const QString &path);
    void showState();
    void pressOnTopButton();
    void showButtonWords();
    void report(const QString &problem);

    Platform &m_platform;
    QPointer<SecondTicker> m_ticker; // the program's; a window deleted at exit may outlive it
    QtWindowOps m_ops;
    std::unique_ptr<SoundPlayer> m_player;
    std::unique_ptr<Clock> m_clock;
    int m_subscription = 0;
    std::vector<QImage> m_pictures;
    Face m_shown; // what the last paint showed
    std::vector<std::pair<QString, QWidget *>> m_buttons;
    SpokenText *m_spoken = nullptr;
    ClickLabel *m_onTopLabel = nullptr; // where the on-top button is one
    QStringList m_problems;             // said while reading the settings this time
    QStringList m_previousProblems;     // found by the load or reload before
};

} // namespace vrim
