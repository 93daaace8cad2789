#pragma once

#include <QObject>
#include <QString>
#include <memory>

namespace vrim {

class Platform;
class Timer;
class WindowRegistry;

// The splash's countdown: ten steps of 1.2 s, then one word of advice, then the help menu and
// the launcher take over.
class SplashModel : public QObject {
    Q_OBJECT
public:
    static constexpr int TickMs = 1200;

    SplashModel(WindowRegistry &registry, Platform &platform, QString homePage);
    ~SplashModel();

    void load();
    void quit();
    // The countdown stops where it is, for a message that must not be followed by the advice.
    void stop();
    void openHomePage();

    QString noticeText() const { return m_notice; }
    QString countdownText() const { return m_countdownText; }
    qint16 countdown() const { return m_countdown; }

    static QString adviceText();

Q_SIGNALS:
    // The countdown and its advice are over; the launcher is up.
    void finished();
    void changed();

private:
    void tick();

    WindowRegistry &m_registry;
    Platform &m_platform;
    QString m_homePage;
    std::unique_ptr<Timer> m_timer;
    qint16 m_countdown = 0;
    QString m_notice;
    QString m_countdownText;
};

} // namespace vrim
