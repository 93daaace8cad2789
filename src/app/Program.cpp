#include "app/Program.h"

#include "BuildConfig.h"
#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "clocks/lumbo/LumboClock.h"
#include "clocks/lumbo/LumboPrefsDialog.h"
#include "help/HelpMenuWindow.h"
#include "help/HelpPageWindow.h"
#include "help/MipSamplesWindow.h"
#include "help/SampleWindow.h"
#include "nettime/InternetTimeWindow.h"
#include "platform/FreePages.h"
#include "platform/Platform.h"
#include "settings/SkinManagerDialog.h"
#include "shell/AboutBox.h"
#include "shell/LauncherWindow.h"
#include "shell/ProgramMenu.h"
#include "shell/SplashWindow.h"
#include "shell/Startup.h"
#include "stopwatch/StopwatchWindow.h"
#include "ui/Artwork.h"
#include "ui/Fonts.h"
#include "ui/WidgetWindow.h"

#include <QGuiApplication>
#include <QPixmapCache>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>

// The artwork lives in a static library, whose resources are not registered on their own.
static void registerArtwork()
{
    Q_INIT_RESOURCE(artwork);
    Q_INIT_RESOURCE(mipart);
    Q_INIT_RESOURCE(perrinart);
    Q_INIT_RESOURCE(helpart);
    Q_INIT_RESOURCE(icon);
}

namespace vrim {

namespace {

// Where the screens' room for windows is, for windows that come back to places that may lie on
// a screen no longer there.
QList<QRect> screenRooms()
{
    QList<QRect> rooms;
    for (const QScreen *screen : QGuiApplication::screens())
        rooms.append(screen->availableGeometry());
    return rooms;
}

} // namespace

Program::Program(Platform &platform, DataFolders folders, std::function<void()> onEnd, SessionFiles session)
    : m_platform(platform)
    , m_folders(std::move(folders))
    , m_onEnd(std::move(onEnd))
    , m_ticker(platform.makeTimer(), [&platform] { return platform.time().wallClockMs(); })
    , m_options(session, QCoreApplication::applicationFilePath())
    , m_keeper(m_registry, platform, session.record, screenRooms)
    , m_menu(std::make_unique<ProgramMenu>(m_registry, platform, m_options, m_keeper))
{
    registerArtwork();
    useWindowFonts();
    // The widget style keeps a picture of every button face and frame it has drawn, for a quicker
    // next paint: with every window open, over a megabyte for buttons that repaint once a second
    // at most. They are drawn afresh each time instead, at no cost a benchmark can see.
    QPixmapCache::setCacheLimit(0);
    // The program ends once the event that unloaded the last window on the screen is over, unless
    // that same event opened another (a clock that unloads itself, then shows the launcher).
    // Hidden sample windows do not keep it running.
    QObject::connect(
        &m_registry, &WindowRegistry::lastWindowGone, &m_endCheck,
        [this] {
            if (!m_registry.anyShown() && m_onEnd)
                m_onEnd();
        },
        Qt::QueuedConnection);
    // Opening a window decodes its pictures and lays out its text, and frees most of what that
    // took; a second after the last window came or went, the freed pages go back to the system
    // instead of staying with the program until it ends.
    m_giveBack.setSingleShot(true);
    m_giveBack.setInterval(1000);
    QObject::connect(&m_giveBack, &QTimer::timeout, &m_endCheck, [] { giveFreePagesBack(); });
    QObject::connect(&m_registry, &WindowRegistry::windowChanged, &m_giveBack, qOverload<>(&QTimer::start));
    m_registry.define(window::Splash, [this] {
        auto *splash = new SplashWindow(m_registry, m_platform);
        QObject::connect(&splash->model(), &SplashModel::finished, &m_endCheck, [this] { splashFinished(); });
        // A first start's settings and the tray icon (its picture, the desktop bus) wait until the
        // splash is on the screen.
        QObject::connect(
            splash, &SplashWindow::firstPainted, &m_endCheck,
            [this, splash = QPointer<SplashWindow>(splash)] {
                if (splash && m_splashPainted)
                    m_splashPainted(*splash);
                if (settle(splash ? &splash->model() : nullptr))
                    offerTray();
            },
            Qt::QueuedConnection);
        return std::make_unique<WidgetWindow>(splash);
    });
    for (const Design design : AllDesigns)
        defineClock(design);
    // Lumbo's dialog works on the running clock, when there is one.
    m_registry.define(window::LumboPrefs, [this] {
        return std::make_unique<WidgetWindow>(
            new LumboPrefsDialog(m_registry, m_platform, m_folders, [this]() -> LumboLook * {
                auto *handle = dynamic_cast<WidgetWindow *>(m_registry.window(window::Lumbo));
                auto *lumbo = handle ? qobject_cast<ClockWindow *>(handle->widget()) : nullptr;
                return lumbo ? dynamic_cast<LumboClock *>(&lumbo->clock()) : nullptr;
            }));
    });
    m_registry.define(window::MipSamples, [this] {
        return std::make_unique<WidgetWindow>(new MipSamplesWindow(m_registry, m_platform));
    });
    for (const SkinManagerDesign &design : skinmanager::all()) {
        m_registry.define(design.window, [this, &design] {
            return std::make_unique<WidgetWindow>(
                new SkinManagerDialog(design, m_registry, m_platform, m_folders));
        });
    }
    m_registry.define(window::About, [this] {
        return std::make_unique<WidgetWindow>(new AboutBox(m_registry, m_platform));
    });
    m_registry.define(window::Stopwatch, [this] {
        return std::make_unique<WidgetWindow>(new StopwatchWindow(m_registry, m_platform, m_ticker));
    });
    m_registry.define(window::InternetTime, [this] {
        return std::make_unique<WidgetWindow>(new InternetTimeWindow(m_registry, m_platform));
    });
    // The help browser: the help menu, the page window and the sample windows.
    m_registry.define(window::HelpMenu,
                      [this] { return std::make_unique<WidgetWindow>(new HelpMenuWindow(m_registry)); });
    m_registry.define(window::HelpPage, [this] {
        return std::make_unique<WidgetWindow>(new HelpPageWindow(m_registry, m_folders));
    });
    for (const QString &name :
         {window::NorviSample, window::QuenzSample, window::MipSample, window::LumboSample}) {
        m_registry.define(name, [this, name] {
            return std::make_unique<WidgetWindow>(
                new SampleWindow(m_registry, help::sampleLook(name, m_folders)));
        });
    }
    m_registry.define(window::Launcher, [this] {
        return std::make_unique<WidgetWindow>(new LauncherWindow(m_registry, m_menu.get()));
    });
}

Program::~Program() = default;

void Program::splashFinished()
{
    // In case the splash was never painted; its countdown is over.
    if (!settle(nullptr))
        return;
    offerTray();
    if (!m_options.reopens())
        return;
    m_keeper.reopen();
    m_keeper.setKeeping(true);
}

bool Program::settle(SplashModel *countdown)
{
    if (m_settings != Settings::Unsettled)
        return m_settings == Settings::Settled;
    m_settings = Settings::Settled;
    if (!isFirstStart(m_folders))
        return true;
    const Saved saved = SettingsStore(m_folders).writeDefaults();
    if (saved.ok())
        return true;
    m_settings = Settings::Failed;
    if (countdown)
        countdown->stop();
    m_platform.messages().inform(saved.problem);
    // Everything closes as after the splash's Quit; queued, as this may run inside the
    // countdown's last step.
    QMetaObject::invokeMethod(&m_endCheck, [this] { m_registry.closeAll(); }, Qt::QueuedConnection);
    return false;
}

void Program::offerTray()
{
    if (m_tray)
        return;
    m_tray = std::make_unique<QSystemTrayIcon>(
        QIcon(QPixmap::fromImage(readPng(QStringLiteral(":/icon/vrimclocks.png")))));
    m_tray->setToolTip(QString::fromLatin1(build::ProgramName));
    m_tray->setContextMenu(m_menu.get());
    QObject::connect(m_tray.get(), &QSystemTrayIcon::activated, &m_endCheck,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger)
                             comeForward(m_registry);
                     });
    m_tray->show();
}

void Program::defineClock(Design design)
{
    m_registry.define(windowOf(design), [this, design] {
        return std::make_unique<WidgetWindow>(
            new ClockWindow(m_registry, m_platform, m_ticker, m_folders, design));
    });
}

void Program::start() { startUp(m_folders, m_registry); }

} // namespace vrim
