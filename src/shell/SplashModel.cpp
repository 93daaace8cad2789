#include "shell/SplashModel.h"

#include "base/WindowNames.h"
#include "base/WindowRegistry.h"
#include "platform/Platform.h"

namespace vrim {

SplashModel::SplashModel(WindowRegistry &registry, Platform &platform, QString homePage)
    : m_registry(registry)
    , m_platform(platform)
    , m_homePage(std::move(homePage))
    , m_timer(platform.makeTimer())
{
    connect(m_timer.get(), &Timer::timeout, this, &SplashModel::tick);
}

SplashModel::~SplashModel() = default;

QString SplashModel::adviceText()
{
    return QStringLiteral("It is highly recomended to read the Help before going any further");
}

void SplashModel::load()
{
    m_notice = QStringLiteral("This screen will go away in 10 seconds");
    m_countdown = 10;
    m_timer->start(TickMs);
    Q_EMIT changed();
}

void SplashModel::tick()
{
    m_countdown = qint16(m_countdown - 1);
    m_countdownText = QString::number(m_countdown);
    Q_EMIT changed();
    if (m_countdown >= 1)
        return;

    // Stopped first, so the advice can only ever be given once.
    m_timer->stop();
    m_platform.messages().inform(adviceText());
    m_registry.show(window::HelpMenu);
    m_registry.show(window::Launcher); // last, so it ends up in front
    Q_EMIT finished();
    m_registry.unload(window::Splash);
}

void SplashModel::stop() { m_timer->stop(); }

void SplashModel::quit()
{
    m_timer->stop();
    m_registry.unload(window::Splash);
    m_registry.closeAll(); // nothing else is open yet; this ends the program
}

void SplashModel::openHomePage()
{
    // A missing browser is no reason to interrupt the countdown.
    m_platform.shell().openPage(m_homePage);
}

} // namespace vrim
