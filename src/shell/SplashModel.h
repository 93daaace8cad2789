#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace vrim {

class Platform;
class Timer;
class WindowRegistry;

// The splash's countdown: ten steps of 1.2 s, then one word of advice, then the help menu and
// the launcher take over.
class SplashModel {
public:
    static constexpr int TickMs = 1200;

    SplashModel(WindowRegistry &registry, Platform &platform, QString homePage);
    ~SplashModel();

    void load();
    void quit();
    void openHomePage();

    QString noticeText() const { return m_notice; }
    QString countdownText() const { return m_countdownText; }
    qint16 countdown() const { return m_countdown; }

    void onChanged(std::function<void()> handler) { m_changed = std::move(handler); }

    static QString adviceText();

private:
    void tick();

    WindowRegistry &m_registry;
    Platform &m_platform;
    QString m_homePage;
    std::unique_ptr<Timer> m_timer;
    qint16 m_countdown = 0;
    QString m_notice;
    QString m_countdownText;
    std::function<void()> m_changed;
};

} // namespace vrim
