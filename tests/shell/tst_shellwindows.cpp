#include "BuildConfig.h"
#include "app/Program.h"
#include "base/WindowNames.h"
#include "shell/AboutBox.h"
#include "shell/AboutRules.h"
#include "shell/LauncherModel.h"
#include "shell/LauncherWindow.h"
#include "shell/SplashModel.h"
#include "shell/SplashWindow.h"
#include "support/ProgramRig.h"
#include "ui/ClickLabel.h"
#include "ui/WidgetWindow.h"

#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

// Finds only the programs it is given, at made-up paths.
about::FindOnPath findOnly(QStringList present)
{
    return [present](const QString &program) {
        return present.contains(program) ? QStringLiteral("/opt/bin/") + program : QString();
    };
}

} // namespace

// The window registry, the splash and the launcher on stand-in windows; then the splash, the
// launcher and the About box in the program, with stand-ins for the clocks.
class TestShellWindows : public QObject {
    Q_OBJECT

    struct Fixture {
        QTemporaryDir dir;
        FakePlatform platform;
        int ends = 0;
        WindowLog others; // stand-ins for windows that are not the shell's own
        Program program{platform, DataFolders(dir.path()), [this] { ++ends; }};

        Fixture()
        {
            for (const QString &name : {window::Dov, window::Perrin, window::HelpMenu})
                others.define(program.registry(), name);
        }
        template <typename W>
        W *show(const QString &name)
        {
            program.registry().show(name);
            return qobject_cast<W *>(widgetOf(program.registry(), name));
        }
        QStringList loaded() { return program.registry().loaded(); }
    };

private Q_SLOTS:
    // What an entry does to the windows, whatever a window does as it closes: "norvi show menu"
    // is Norvi's closing showing the launcher. A window is loaded when first shown, brought
    // forward after, and loaded afresh once unloaded; the program ends with the last one. The
    // Exit bar sweeps the windows open when it started, newest first, and leaves those opened
    // during the sweep.
    void launcherEntries()
    {
        // The windows shown in this order, a closing, the entry (its label, "Exit bar" for the
        // bar), and then the windows loaded, those unloaded in order, loads and ends.
        const std::tuple<QString, QStringList, QString, QString, QString> rows[] = {
            // clang-format off
            {"a window's closing that closes it runs once", {"norvi"}, "norvi unload norvi", "Exit bar", "loaded: ; unloaded: norvi; loads 1; ends 1"},
            {"a bar replaces the launcher", {"menu", "HlpMnu"}, "", "Dov bar", "loaded: HlpMnu dov; unloaded: menu; loads 3; ends 0"},
            {"a loaded window is not loaded again", {"dov", "menu"}, "", "Dov", "loaded: dov; unloaded: menu; loads 2; ends 0"},
            {"an entry this build lacks leaves the launcher", {"menu"}, "", "lumbo bar", "loaded: menu; unloaded: ; loads 1; ends 0"},
            {"Exit label closes only the launcher", {"HlpMnu", "menu"}, "", "Exit", "loaded: HlpMnu; unloaded: menu; loads 2; ends 0"},
            {"Exit bar closes all, newest first", {"HlpMnu", "menu", "norvi"}, "norvi show menu", "Exit bar", "loaded: ; unloaded: norvi menu HlpMnu; loads 3; ends 1"},
            {"Exit bar closes a launcher shown again", {"HlpMnu", "norvi", "menu"}, "norvi show menu", "Exit bar", "loaded: ; unloaded: menu norvi HlpMnu menu; loads 4; ends 1"},
            {"Exit bar leaves a window opened meanwhile", {"dov", "norvi"}, "norvi show Gantos", "Exit bar", "loaded: Gantos; unloaded: norvi dov; loads 3; ends 0"},
            // Index 3 is then past the one window left: the sweep ends there and leaves it open.
            {"Exit bar after a closing closed others", {"dov", "norvi", "Gantos", "Perrin"}, "Perrin unload dov norvi", "Exit bar", "loaded: Gantos; unloaded: Perrin dov norvi; loads 4; ends 0"},
            // clang-format on
        };
        for (const auto &[row, shown, closing, entry, after] : rows) {
            StandIns f({window::Launcher, window::HelpMenu, window::Dov, window::Norvi, window::Stopwatch,
                        window::Perrin});
            if (const QStringList words = closing.split(u' '); words.size() > 2)
                f.log.onUnloading[words[0]] = [&f, words] {
                    for (const QString &name : words.mid(2))
                        words[1] == "show" ? void(f.registry.show(name)) : f.registry.unload(name);
                };
            for (const QString &name : shown)
                f.registry.show(name);
            const QString label = entry.section(u' ', 0, 0);
            const auto it = std::find_if(launcher::entries().begin(), launcher::entries().end(),
                                         [&](const LauncherEntry &e) { return e.label == label; });
            QVERIFY2(it != launcher::entries().end(), qPrintable(row));
            launcher::activate(f.registry, *it, entry.endsWith(" bar") ? EntryPart::Bar : EntryPart::Label);
            QCOMPARE(QStringLiteral("%1: loaded: %2; unloaded: %3; loads %4; ends %5")
                         .arg(row, f.registry.loaded().join(u' '),
                              f.logged("unload").replaceInStrings("unload ", "").join(u' '))
                         .arg(f.logged("load").size())
                         .arg(f.ends.count()),
                     row + ": " + after);
        }
    }

    // Ten steps of 1.2 s; the home-page link, followed on the way, neither stops nor resets them.
    // The tenth advises once, and no step runs while the box is open; then the help menu, the
    // launcher last so that it is in front, and the splash goes.
    void splashCountsDownAdvisesOnceAndHandsOver()
    {
        StandIns f({window::Splash, window::HelpMenu, window::Launcher});
        FakePlatform platform;
        f.registry.show(window::Splash);
        SplashModel splash(f.registry, platform, QStringLiteral("https://home.test/"));
        splash.load();
        test::FakeTimer &timer = *platform.timers.front();
        const auto ticks = [&timer](int count) {
            for (int i = 0; i < count; ++i)
                timer.elapse();
        };
        platform.pagesOpen = false; // no browser: nothing to report
        QCOMPARE(timer.interval(), 1200);
        QCOMPARE(splash.noticeText(), QStringLiteral("This screen will go away in 10 seconds"));
        QStringList shown{splash.countdownText()}; // nothing until the first step
        for (int i = 0; i < 9; ++i) {
            if (i == 3)
                splash.openHomePage();
            ticks(1);
            shown.append(splash.countdownText());
        }
        QCOMPARE(shown, (QStringList{"", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));
        QCOMPARE(platform.openedPages, QStringList{"https://home.test/"});
        QVERIFY(platform.shownMessages.isEmpty());

        QString countdownWhileAdvising;
        bool timerWhileAdvising = true;
        platform.whileMessageShown = [&] {
            countdownWhileAdvising = splash.countdownText();
            timerWhileAdvising = timer.isActive();
            ticks(5); // however long the box stays open
        };
        ticks(1);
        QCOMPARE(platform.shownMessages,
                 QStringList{"It is highly recomended to read the Help before going any further"});
        QCOMPARE(countdownWhileAdvising, QStringLiteral("0"));
        QVERIFY(!timerWhileAdvising);
        const QStringList handOver = {"show HlpMnu", "show menu", "unload splash1"};
        QStringList relevant = f.log.events;
        relevant.removeIf([&handOver](const QString &event) { return !handOver.contains(event); });
        QCOMPARE(relevant, handOver);
        QCOMPARE(f.registry.loaded(), (QStringList{window::HelpMenu, window::Launcher}));
        ticks(3);
        QCOMPARE(platform.shownMessages.size(), 1);
        QCOMPARE(f.ends.count(), 0);
    }

    void quitOnTheSplashEndsEverything()
    {
        Fixture f;
        QVERIFY(f.program.start());
        f.platform.timers.back()->elapse(); // the splash's own timer
        QTest::mouseClick(f.show<SplashWindow>(window::Splash)->findChild<QPushButton *>(), Qt::LeftButton);
        ProgramRig::settle();
        QCOMPARE(f.ends, 1);
        QVERIFY(f.loaded().isEmpty());
        QVERIFY(f.platform.shownMessages.isEmpty());
    }

    // Some entries open as a button goes down, the rest on a whole click; which is the
    // launcher table's. Closing the launcher itself leaves the other windows.
    void entriesAnswerTheMouse()
    {
        // The entry (its label, "Dov bar" for its bar, "" closes the launcher), the button, whether
        // it opens on the press, and then the windows loaded (the help menu open before) and ends.
        const std::tuple<QString, Qt::MouseButton, bool, QString> rows[] = {
            {"Dov", Qt::RightButton, true, "HlpMnu dov; ends 0"},
            {"Perrin", Qt::LeftButton, false, "HlpMnu Perrin; ends 0"},
            {"Dov bar", Qt::LeftButton, false, "HlpMnu dov; ends 0"},
            {"H E L P bar", Qt::LeftButton, true, "HlpMnu; ends 0"},
            {"Exit bar", Qt::LeftButton, false, "; ends 1"},
            {"", Qt::NoButton, true, "HlpMnu; ends 0"},
        };
        for (const auto &[entry, button, onPress, after] : rows) {
            Fixture f;
            f.program.registry().show(window::HelpMenu);
            auto *launcher = f.show<LauncherWindow>(window::Launcher);
            if (entry.isEmpty()) {
                launcher->close();
            } else {
                const bool bar = entry.endsWith(" bar");
                const QString label = bar ? entry.chopped(4) : entry;
                ClickLabel *target = bar ? launcher->bar(label) : launcher->label(label);
                QVERIFY2(target, qPrintable(entry));
                const QPoint at = !bar ? QPoint() : label == "H E L P" ? QPoint(3, 3) : QPoint(60, 12);
                QTest::mousePress(target, button, {}, at);
                ProgramRig::settle();
                QVERIFY2(f.program.registry().isLoaded(window::Launcher) == !onPress, qPrintable(entry));
                if (!onPress)
                    QTest::mouseRelease(target, button, {}, at);
            }
            ProgramRig::settle();
            QCOMPARE(entry + QStringLiteral(": %1; ends %2").arg(f.loaded().join(u' ')).arg(f.ends),
                     entry + ": " + after);
        }
    }

    // On every colour of bar, and on the help picture, the focused entry looks plainly different
    // from the same entry without the focus, whichever entry had it before.
    void theFocusedEntryShowsAMark()
    {
        // The entry, on a light, a dark, the black and the white bar, and the help picture; an
        // entry focused first.
        const std::pair<QString, QString> entries[] = {
            {"Vrim", "Exit"}, {"Mip", "Vrim"}, {"Ganto", "Vrim"}, {"Exit", "Vrim"}, {"H E L P", "Vrim"}};
        for (const auto &[entry, other] : entries) {
            Fixture f;
            auto *launcher = f.show<LauncherWindow>(window::Launcher);
            launcher->activateWindow();
            QTRY_VERIFY(launcher->isActiveWindow());
            ClickLabel *bar = launcher->bar(entry);
            QVERIFY(bar);
            launcher->bar(other)->setFocus(Qt::OtherFocusReason);
            const QImage without = bar->grab().toImage();
            bar->setFocus(Qt::OtherFocusReason);
            QVERIFY(bar->hasFocus());
            const QImage with = bar->grab().toImage();
            QCOMPARE(with.size(), without.size());
            int plain = 0; // pixels whose colour changed a lot
            for (int y = 0; y < with.height(); ++y)
                for (int x = 0; x < with.width(); ++x) {
                    const QColor a = with.pixelColor(x, y), b = without.pixelColor(x, y);
                    plain += std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                       std::abs(a.blue() - b.blue())}) > 96;
                }
            QVERIFY2(plain >= (with.width() + with.height()) / 2,
                     qPrintable(entry + ": " + QString::number(plain)));
        }
    }

    // A fixed box with this build's version, read as people write versions; its link opens the
    // home page (with no browser, still nothing to tell); Enter, keypad Enter and Esc each close it.
    void aboutBoxShowsTheVersionAndClosesOnItsKeys()
    {
        QCOMPARE(about::versionText(QStringLiteral("2.10.0")), QStringLiteral("Version 2.10.0"));
        QCOMPARE(about::versionText(QStringLiteral("01.02.03")), QStringLiteral("Version 1.2.3"));
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            Fixture f;
            QPointer<AboutBox> about = f.show<AboutBox>(window::About);
            QVERIFY(about && about->isVisible());
            QCOMPARE(about->minimumSize(), about->maximumSize());
            QVERIFY(!(about->windowFlags() & Qt::WindowMinMaxButtonsHint));
            QCOMPARE(about->findChild<QLabel *>("lblVersion")->text(),
                     about::versionText(QString::fromLatin1(build::Version)));
            f.platform.pagesOpen = false;
            QTest::mouseClick(about->findChild<ClickLabel *>("Label3"), Qt::LeftButton);
            QCOMPARE(f.platform.openedPages, QStringList{QString::fromLatin1(build::HomePage)});
            QVERIFY(f.platform.shownMessages.isEmpty() && f.program.registry().isLoaded(window::About));
            QTest::keyClick(about.data(), key);
            QVERIFY2(!f.program.registry().isLoaded(window::About), qPrintable(QString::number(key, 16)));
            ProgramRig::settle();
            QVERIFY(about.isNull());
        }
    }

    // The first tool found, by its full path (no shell in between); one that will not start is
    // tried once, and with none found the user is told while the box stays open.
    void sysInfoStartsTheFirstToolFoundOrTellsTheUser()
    {
        FakePlatform platform;
        const QStringList tools = about::systemInfoPrograms();
        QVERIFY(tools.size() >= 3);
        about::startSysInfo(platform, platform, findOnly({tools[1], tools.last()}));
        QCOMPARE(platform.startedPrograms, QStringList{"/opt/bin/" + tools[1]});
        QVERIFY(platform.shownMessages.isEmpty());
        platform.programsStart = false;
        about::startSysInfo(platform, platform, findOnly({tools[1]}));
        QCOMPARE(platform.startedPrograms.size(), 2);
        QCOMPARE(platform.shownMessages, QStringList{about::unavailableText()});

        WindowRegistry registry;
        registry.define(window::About, [&] {
            return std::make_unique<WidgetWindow>(new AboutBox(registry, platform, findOnly({})));
        });
        registry.show(window::About);
        QWidget *about = widgetOf(registry, window::About);
        QTest::mouseClick(about->findChild<QPushButton *>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(platform.shownMessages.last(),
                 QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(platform.startedPrograms.size(), 2);
        QVERIFY(registry.isLoaded(window::About));
    }

    // On a small screen at scale 2 (tst_densescreen runs this with QT_SCALE_FACTOR=2 on the
    // offscreen platform's 800 by 600 pixels: 400 by 300 points), each clock opens on the screen
    // and the launcher is drawn from the twice-size twin of its picture, pixel for pixel.
    void onADenseScreen_data()
    {
        QTest::addColumn<Design>("design");
        for (const Design design : AllDesigns)
            QTest::newRow(qPrintable(windowOf(design))) << design;
    }
    void onADenseScreen()
    {
        QFETCH(Design, design);
        if (qEnvironmentVariable("QT_SCALE_FACTOR") != QLatin1String("2"))
            QSKIP("for a screen at scale 2");
        ProgramRig f(QStringLiteral("13:05:00"));
        ClockWindow *clock = f.openClock(design);
        QVERIFY(clock);
        QCOMPARE(clock->devicePixelRatioF(), 2.0);
        const QRect room = clock->screen()->availableGeometry();
        const QRect place = clock->geometry();
        // Wholly on it where it fits; a window taller or wider than the screen starts at its edge.
        QVERIFY2(place.left() >= room.left() && place.top() >= room.top(), "starts off the screen");
        if (place.width() <= room.width())
            QVERIFY2(place.right() <= room.right(), "ends off the screen to the right");
        if (place.height() <= room.height())
            QVERIFY2(place.bottom() <= room.bottom(), "ends off the screen below");

        LauncherWindow launcher(f.program.registry());
        launcher.show();
        const QImage shot = launcher.grab().toImage();
        const QImage twin(QStringLiteral(":/artwork/launcher@2x.png"));
        QCOMPARE(shot.size(), twin.size());
        // The margin left of the bars and the engraved emblem below the help picture.
        for (const QPoint at : {QPoint(9, 400), QPoint(15, 15), QPoint(232, 636), QPoint(222, 622)})
            QCOMPARE(shot.pixelColor(at), twin.pixelColor(at));
    }
};

QTEST_MAIN(TestShellWindows)
#include "tst_shellwindows.moc"
