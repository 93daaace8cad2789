#pragma once

#include "shell/SplashModel.h"
#include "ui/VrimWindow.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>

class QLabel;
class QPushButton;

namespace vrim {

class ClickLabel;
class Platform;

class SplashWindow final : public VrimWindow {
    Q_OBJECT
public:
    SplashWindow(WindowRegistry &registry, Platform &platform);

    SplashModel &model() { return m_model; }
    // The splash as its first paint showed it (the little clock's hand at twelve), in the
    // screen's pixels.
    QImage firstFrame();

    // Where the little clock turns, in place of a movie.
    static constexpr QRect AnimationRect{330, 60, 110, 110};

Q_SIGNALS:
    // The splash is on the screen: what it does not need can start now.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void refresh();
    void paintAnimation(QPainter &painter) const;

    SplashModel m_model;
    QPixmap m_art;
    QLabel *m_countdown; // Label6
    QLabel *m_notice;    // Label5
    QLabel *m_version;   // Label1
    ClickLabel *m_link;  // Label7
    QPushButton *m_quit; // Command2
    QTimer m_frames;
    QElapsedTimer m_clock;
    bool m_painted = false;
};

} // namespace vrim
