#include "BuildConfig.h"
#include "app/Program.h"
#include "base/RefreshSignal.h"
#include "base/WindowNames.h"
#include "clocks/Designs.h"
#include "clocks/dov/DovControls.h"
#include "platform/LocalFiles.h"
#include "platform/QtPlatform.h"
#include "settings/SkinManagerModel.h"
#include "shell/AboutBox.h"
#include "shell/AboutRules.h"
#include "shell/LauncherModel.h"
#include "shell/LauncherWindow.h"
#include "shell/SplashModel.h"
#include "shell/SplashWindow.h"
#include "support/FileSizeLimit.h"
#include "support/FolderSnapshot.h"
#include "support/ProgramRig.h"
#include "ui/Accessible.h"
#include "ui/ClickLabel.h"
#include "ui/WidgetWindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDirIterator>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <sys/stat.h>

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

// Where a clock shows a picture, and what it shows there without it: the colour its message
// names, as the range of grey the pixel may take.
struct Stand {
    Design design;
    const char *picture;
    QPoint at;
    const char *colour;
    int darkest, lightest;
};
const Stand Stands[] = {
    {Design::Dov, "skin picture", {100, 120}, "black", 0, 0},
    {Design::Norvi, "skin picture", {2, 100}, "black", 0, 0},
    {Design::Norvi, "centre picture", {10, 60}, "black", 0, 0},
    {Design::Quenz, "skin picture", {20, 140}, "black", 0, 0},
    {Design::Jolvex, "skin picture", {45, 40}, "light grey", 192, 254},
    {Design::Vrimcolor, "skin picture", {3, 100}, "grey", 128, 254},
    {Design::Mip, "skin picture", {3, 100}, "grey", 128, 254},
};

// The clock a Skin Manager dresses, as far as the dialog can see it: its refresh signal.
class ClockDouble final : public ManagedWindow {
public:
    explicit ClockDouble(int &raises)
    {
        QObject::connect(&m_signal, &RefreshSignal::raised, &m_signal, [&raises] { ++raises; });
    }
    void present() override {}
    RefreshSignal *refreshSignal() override { return &m_signal; }

private:
    RefreshSignal m_signal;
};

QAccessibleInterface *reader(QWidget *widget) { return QAccessible::queryAccessibleInterface(widget); }

} // namespace

// The window registry, the splash and the launcher on stand-in windows; then the splash, the
// launcher and the About box in the program, with stand-ins for the clocks; the Skin Managers;
// damaged files in the windows that read them; and what assistive technology reads of the windows.
class TestShellWindows : public QObject {
    Q_OBJECT

    // The shell's own windows on a first start, stand-ins for two clocks and the help menu.
    struct Fixture : ProgramRig {
        Fixture()
            : ProgramRig("10:00:00", {window::Dov, window::Perrin, window::HelpMenu}, true)
        {}
        QStringList loaded() { return program.registry().loaded(); }
    };

    struct SkinRig {
        TempProgramFolder folder;
        SettingsStore store{DataFolders(folder.path())};
        FakePlatform platform;
        RecordingPlayer player;
        WindowLog dialogs; // a stand-in for the dialog's window; outlives the registry
        WindowRegistry registry;
        int raises = 0;
        const SkinManagerDesign &design;
        std::unique_ptr<SkinManagerModel> model;

        // The dialog open, unless told, on the first start's files or with an interval stored.
        explicit SkinRig(const QString &dialog = QStringLiteral("dovprefs"), const QString &interval = {},
                         bool opened = true)
            : design(*skinmanager::find(dialog))
        {
            QVERIFY(store.writeDefaults().ok());
            if (!interval.isEmpty())
                QVERIFY(store.writeSound(design.design, {QStringLiteral("/s.wav"), interval}).ok());
            registry.define(windowOf(design.design),
                            [this] { return std::make_unique<ClockDouble>(raises); });
            dialogs.define(registry, design.window);
            registry.show(windowOf(design.design));
            registry.show(design.window);
            model = std::make_unique<SkinManagerModel>(design, DataFolders(folder.path()), registry, platform,
                                                       player, QStringLiteral("https://home.test/"));
            if (opened)
                model->open();
        }
        QByteArray skinFile() { return TempProgramFolder::read(skinPath()); }
        QByteArray soundFile() { return TempProgramFolder::read(soundPath()); }
        QString skinPath() { return store.filePath(SettingsStore::skinFileName(design.design)); }
        QString soundPath() { return store.filePath(SettingsStore::soundFileName(design.design)); }
    };

private Q_SLOTS:
    void initTestCase() { runAsNobodyIfRoot(); } // for the read-only settings folder

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

    // A first start writes its settings once the splash is on the screen, not before it; when it
    // cannot, the user is told why and everything ends, with no advice after the message.
    void firstStartSettingsFollowTheSplash()
    {
        for (const bool writable : {true, false}) {
            Fixture f;
            const QString settings = f.folder.file("Settings");
            if (!writable)
                QVERIFY(QFile::setPermissions(f.folder.path(), QFile::ReadOwner | QFile::ExeOwner));
            bool countdownDuringMessage = true;
            f.platform.whileMessageShown = [&f, &countdownDuringMessage] {
                countdownDuringMessage = f.platform.timers.back()->isActive();
            };
            f.program.start();
            auto *splash = f.loadedWidget<SplashWindow>(window::Splash);
            QVERIFY(splash && !QFileInfo::exists(settings));
            QVERIFY(QTest::qWaitForWindowExposed(splash));
            for (int i = 0; i < 3; ++i)
                QCoreApplication::processEvents();
            QFile::setPermissions(f.folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (writable) {
                QCOMPARE(QDir(settings).entryList(QDir::Files).size(), 13);
                QVERIFY(f.platform.shownMessages.isEmpty() && !f.program.failed());
                QCOMPARE(f.loaded(), QStringList{window::Splash});
                continue;
            }
            ProgramRig::settle();
            QCOMPARE(f.platform.shownMessages.size(), 1);
            QVERIFY2(f.platform.shownMessages.front().contains("could not be created"),
                     qPrintable(f.platform.shownMessages.front()));
            QVERIFY(!countdownDuringMessage);
            QVERIFY(f.loaded().isEmpty() && f.ends == 1 && f.program.failed());
        }
    }

    void quitOnTheSplashEndsEverything()
    {
        Fixture f;
        f.program.start();
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
    void onADenseScreen()
    {
        if (qEnvironmentVariable("QT_SCALE_FACTOR") != QLatin1String("2"))
            QSKIP("for a screen at scale 2");
        ProgramRig f(QStringLiteral("13:05:00"));
        for (const Design design : AllDesigns) {
            ClockWindow *clock = f.openClock(design);
            QVERIFY(clock);
            QCOMPARE(clock->devicePixelRatioF(), 2.0);
            const QRect room = clock->screen()->availableGeometry();
            const QRect place = clock->geometry();
            // Wholly on it where it fits; a window taller or wider than the screen starts at its edge.
            const bool fits = place.left() >= room.left() && place.top() >= room.top() &&
                              (place.width() > room.width() || place.right() <= room.right()) &&
                              (place.height() > room.height() || place.bottom() <= room.bottom());
            QVERIFY2(fits,
                     qPrintable(windowOf(design) + QString::asprintf(" at %d,%d %dx%d", place.x(), place.y(),
                                                                     place.width(), place.height())));
            f.program.registry().unload(windowOf(design));
        }
        LauncherWindow launcher(f.program.registry());
        launcher.show();
        const QImage shot = launcher.grab().toImage();
        const QImage twin(QStringLiteral(":/artwork/launcher@2x.png"));
        QCOMPARE(shot.size(), twin.size());
        // The margin left of the bars and the engraved emblem below the help picture.
        for (const QPoint at : {QPoint(9, 400), QPoint(15, 15), QPoint(232, 636), QPoint(222, 622)})
            QCOMPARE(shot.pixelColor(at), twin.pixelColor(at));
    }

    void damagedSettingsFiles_data()
    {
        QTest::addColumn<Design>("design");
        for (const Design design : AllDesigns)
            if (filesOf(design) || design == Design::Lumbo)
                QTest::newRow(qPrintable(designName(design))) << design;
    }
    // The clock says what is wrong with its skin file, then with the picture it falls back to,
    // then with its sound file, once each and in words a reader can see, and runs on its
    // defaults; its Skin Manager names the skin file, then the sound file; opening and closing it
    // writes nothing. What the reader says of each kind of damage is tst_settingsfiles' to test.
    // A picture that cannot be shown is said as the window shows it, and the window shows that.
    void damagedSettingsFiles()
    {
        QFETCH(Design, design);
        ProgramRig rig("09:04:58"); // no pictures: every skin picture is missing
        const bool lumbo = !filesOf(design);
        const QString settings = rig.folder.file("Settings");
        const QString skin = lumbo ? SettingsStore::lumboFileName() : SettingsStore::skinFileName(design);
        const QString sound = lumbo ? QString() : SettingsStore::soundFileName(design);
        QByteArray program("\177ELF\2\1\1");
        for (int i = 0; i < 4096; ++i)
            program += char(i * 7);
        QVERIFY(QFile::remove(settings + u'/' + skin));
        TempProgramFolder::write(settings + u'/' + skin, program);
        if (!lumbo)
            QVERIFY(QFile::remove(settings + u'/' + sound));
        const QStringList unchanged = folderSnapshot(settings);
        // What each message is about: the skin file, a skin picture, the sound file, or else.
        const auto about = [&] {
            QStringList topics;
            for (const QString &warning : std::as_const(rig.platform.warnings)) {
                // Short, and no byte of the file shown as a box or a blank.
                const bool readable =
                    warning.size() < 600 && std::all_of(warning.begin(), warning.end(), [](QChar c) {
                        return (c.isPrint() || c == u'\n') && c != QChar::ReplacementCharacter;
                    });
                topics.append(!readable                           ? QStringLiteral("unreadable: ") + warning
                              : warning.contains(skin)            ? QStringLiteral("skin file")
                              : warning.contains(" picture \"")   ? QStringLiteral("picture")
                              : !lumbo && warning.contains(sound) ? QStringLiteral("sound file")
                                                                  : QString());
            }
            topics.removeAll(QString());
            return topics;
        };

        ClockWindow *clock = rig.openClock(design);
        QVERIFY(clock);
        rig.passAt("09:04:59");
        rig.passAt("09:05:00"); // a chime is due
        // Its bytes spelt out, those that are no text as well.
        QVERIFY2(!rig.platform.warnings.filter("(it reads \"\\x7fELF\\x02\\x01\\x01\\x00\\x07").isEmpty(),
                 qPrintable(rig.platform.warnings.join(u'\n')));
        QStringList said = about();
        if (said.count("picture") == 2) // Norvi's two pictures; any other fault is said once
            said.removeOne("picture");
        QCOMPARE(said,
                 (lumbo ? QStringList{"skin file"} : QStringList{"skin file", "picture", "sound file"}));
        const QImage shown = clock->grab().toImage();
        for (const Stand &stand : Stands) {
            if (stand.design != design)
                continue;
            const QStringList says =
                rig.platform.warnings.filter(QStringLiteral("cannot show its ") + stand.picture);
            QCOMPARE(says.size(), 1);
            QVERIFY2(says.front().contains(QStringLiteral(" %1 ").arg(stand.colour)),
                     qPrintable(says.front()));
            const QColor at = shown.pixelColor(stand.at);
            QVERIFY2(at.red() == at.green() && at.green() == at.blue() && at.red() >= stand.darkest &&
                         at.red() <= stand.lightest,
                     qPrintable(at.name()));
        }
        rig.platform.warnings.clear();

        const QString dialog = cardOf(design).frame.skinManager; // Lumbo's own dialog for Lumbo
        rig.program.registry().show(dialog);
        QVERIFY(rig.program.registry().isLoaded(dialog));
        // Lumbo's dialog keeps quiet: its open clock has said it already.
        QCOMPARE(about(), (lumbo ? QStringList{} : QStringList{"skin file", "sound file"}));
        rig.program.registry().unload(dialog);
        ProgramRig::settle();
        rig.passAt("09:05:02"); // the reload after the dialog
        QVERIFY(clock->isVisible());
        rig.program.registry().unload(windowOf(design));
        ProgramRig::settle();
        QCOMPARE(folderSnapshot(settings), unchanged);
    }

    // The loader says why it cannot show a picture, in words the clocks and the Skin Managers'
    // previews pass on, without decoding a picture too large or waiting on a pipe.
    void badPicture()
    {
        const std::pair<QString, const char *> rows[] = {
            {"Skins/Vrim/blui-3d.jpg", "cut short"}, // each kind of picture cut in half
            {"Skins/jolvex/mozzik.gif", "cut short"},
            {"Skins/Vrim/sunfel.bmp", "cut short"},
            {"zero", "the file is empty"},
            {"missing", "No such file"},
            {"text", "not a picture"},     // a text file named .jpg
            {"huge", "larger than 64 MB"}, // 70 MB
            {"pipe", "not a regular file"},
        };
        for (const auto &[kind, says] : rows) {
            TempProgramFolder folder;
            const QString path = folder.file("bad.jpg");
            if (kind.startsWith("Skins/")) {
                const QByteArray whole = TempProgramFolder::read(QStringLiteral(SHIPPED_DATA "/") + kind);
                QVERIFY2(!whole.isEmpty(), qPrintable(kind));
                TempProgramFolder::write(path, whole.left(whole.size() / 2));
            } else if (kind == "zero") {
                TempProgramFolder::write(path, {});
            } else if (kind == "text") {
                TempProgramFolder::write(path, "These are words, not a picture.\n");
            } else if (kind == "huge") {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(70 * 1024 * 1024));
            } else if (kind == "pipe") {
                QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
            }
            QString problem;
            QVERIFY2(loadPicture(path, &problem).isNull() && problem.contains(says),
                     qPrintable(kind + ": " + problem));
            QCOMPARE(QtPictures().problemShowing(path), problem);
        }
    }

    void everyPictureWeShipLoads()
    {
        // The check for a file cut short must not refuse a whole one.
        int pictures = 0;
        QDirIterator it(QStringLiteral(SHIPPED_DATA), {"*.jpg", "*.gif", "*.bmp"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QString problem;
            QVERIFY2(!loadPicture(path, &problem).isNull(), qPrintable(QString(path + ": " + problem)));
            ++pictures;
        }
        QVERIFY(pictures > 20);
    }

    // Every control a user can press has a name, and the fields are read with their captions.
    // The end-to-end windows script reads the windows the launcher opens on the real
    // accessibility bus; these are the rest of them, and the fields.
    void everyControlIsNamed()
    {
        ProgramRig rig(QStringLiteral("10:37:05"));
        for (const QString &name :
             {window::HelpPage, window::About, window::LumboPrefs, QStringLiteral("dovprefs")}) {
            QWidget *shown = rig.show(name);
            QVERIFY2(shown, qPrintable(name));
            int pressable = 0;
            for (QWidget *control : shown->findChildren<QWidget *>()) {
                QAccessibleInterface *face = reader(control);
                if (!face || !control->isVisibleTo(shown) ||
                    !QList{QAccessible::Button, QAccessible::CheckBox, QAccessible::RadioButton,
                           QAccessible::Link, QAccessible::ComboBox}
                         .contains(face->role()))
                    continue;
                ++pressable;
                QVERIFY2(!face->text(QAccessible::Name).trimmed().isEmpty(),
                         qPrintable(name + u' ' + control->objectName()));
            }
            QVERIFY2(pressable > 0, qPrintable(name));
        }
        const std::tuple<QString, const char *, const char *> fields[] = {
            {window::InternetTime, "txtOutput", "UTC   TIME"},
            {window::InternetTime, "LocalTime", "LOCAL  TIME"},
            {window::InternetTime, "txt1", "PC Clock"},
            {window::Stopwatch, "SDisplay", "Reference 1 Started"},
            {window::Stopwatch, "FgDisplay", "Reference 2 Stopped"}};
        for (const auto &[name, field, caption] : fields) {
            auto *control = rig.show(name)->findChild<QWidget *>(QLatin1String(field));
            QVERIFY2(control, field);
            QCOMPARE(reader(control)->text(QAccessible::Name), QLatin1String(caption));
        }
    }

    // Dov's buttons are read as what they are; the on-top switch, pressed by assistive technology
    // as by the mouse, says its new state and colour. (Its first state is the script's.) The face
    // under the buttons says the time it shows, and the mouse still reaches the buttons.
    void clockButtonsAndFaceSayWhatTheyAre()
    {
        ProgramRig rig(QStringLiteral("10:37:05"));
        ClockWindow *dov = rig.openClock(Design::Dov);
        QCOMPARE(reader(dov->button(dov::control::Move))->role(), QAccessible::Button);
        QVERIFY(reader(dov->button(dov::control::Preferences))->state().hasPopup);
        QAccessibleInterface *onTop = reader(dov->button(dov::control::OnTop));
        QCOMPARE(onTop->role(), QAccessible::CheckBox);
        QVERIFY(onTop->state().checkable);
        onTop->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!dov->clock().frame().isOnTop());
        QVERIFY(!onTop->state().checked);
        QCOMPARE(onTop->text(QAccessible::Description), QStringLiteral("red"));

        QAccessibleInterface *face = reader(dov->spokenFace());
        QCOMPARE(face->role(), QAccessible::StaticText);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("10:37"));
        rig.passAt("10:38:00");
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("10:38"));
        QCOMPARE(dov->childAt(dov->button(dov::control::Move)->geometry().center()),
                 dov->button(dov::control::Move));
    }

    // Tab and Enter along the launcher, the help picture's name and the menu keys are the
    // end-to-end windows script's; Space is not.
    void launcherEntriesOpenWithSpace()
    {
        ProgramRig rig(QStringLiteral("10:37:05"));
        LauncherWindow launcher(rig.program.registry());
        ClickLabel *dov = launcher.bar(QStringLiteral("Dov"));
        QCOMPARE(dov->focusPolicy(), Qt::TabFocus);
        QCOMPARE(reader(dov)->role(), QAccessible::Button);
        QTest::keyClick(dov, Qt::Key_Space);
        QVERIFY(rig.program.registry().isLoaded(window::Dov));
    }

    // Each file is written whole and as it was, and the clock is asked to reload; also where the
    // stored interval matches no button.
    void okAtOnceRewritesTheSameValues()
    {
        QList<std::pair<QString, QString>> rows = {{"dovprefs", "5 Min"}}; // the dialog, an interval stored
        for (const SkinManagerDesign &design : skinmanager::all())
            rows.append({design.window, ""}); // as the first start wrote it
        for (const auto &[dialog, interval] : rows) {
            SkinRig f(dialog, interval, false);
            const QByteArray skin = f.skinFile(), sound = f.soundFile();
            f.model->open();
            QCOMPARE(f.player.log,
                     (QStringList{"prepare " + f.store.readSound(f.design.design).value.sound, "Open"}));
            QCOMPARE(f.model->selectedInterval(), interval.isEmpty() ? std::optional<int>(0) : std::nullopt);
            QVERIFY2(f.model->ok(), qPrintable(dialog));
            f.model->closing(); // as the registry runs the dialog's closing steps
            QCOMPARE(f.skinFile(), skin);
            QCOMPARE(f.soundFile(), sound);
            QVERIFY(f.raises >= 2); // on Ok and again as the window closes; the clock reloads once
            QVERIFY(!f.registry.isLoaded(f.design.window));
        }
    }

    // Cancel writes nothing but still asks for a reload; the link opens the home page.
    void cancelWritesNothingButStillAsksForAReload()
    {
        SkinRig f;
        f.platform.chooserAnswers = {f.folder.file("Skins/other.jpg")};
        f.model->view();
        f.model->selectInterval(4);
        const QByteArray skin = f.skinFile(), sound = f.soundFile();
        f.model->cancel();
        QCOMPARE(f.skinFile(), skin);
        QCOMPARE(f.soundFile(), sound);
        QVERIFY(f.raises >= 1);
        QCOMPARE(f.player.log.last(), QStringLiteral("Close"));
        f.model->openHomePage();
        QCOMPARE(f.platform.openedPages, QStringList{"https://home.test/"});
    }

    void testPlaysTheStoredThenTheChosenSound()
    {
        SkinRig f;
        f.player.log.clear();
        f.model->test();
        QCOMPARE(f.player.log,
                 (QStringList{"close", "prepare " + f.folder.file("Sounds/bzz.wav"), "Open", "Play"}));
        f.platform.chooserAnswers = {QStringLiteral("/chimes/new, one.wav")};
        f.model->change();
        f.player.log.clear();
        f.model->test();
        QCOMPARE(f.player.log.at(1), QStringLiteral("prepare /chimes/new, one.wav"));
        f.model->selectInterval(2);
        QVERIFY(f.model->ok());
        QCOMPARE(f.soundFile(), QByteArray("/chimes/new, one.wav\r\n15 min\r\n"));
        f.player.log.clear();
        f.model->playerCompleted();
        QCOMPARE(f.player.log, QStringList{"Prev"});
    }

    void viewKeepsTheLastPictureThatShowed()
    {
        SkinRig f;
        const QString stored = f.folder.file("Skins/Vrim/blui-3d.jpg");
        QCOMPARE(f.model->preview(SkinManagerModel::Frame).path, stored);

        // Cancelled before anything was chosen: the preview goes blank, Ok keeps the stored one.
        const QByteArray skin = f.skinFile();
        f.platform.chooserAnswers = {QString()};
        f.model->view();
        QCOMPARE(f.model->preview(SkinManagerModel::Frame).path, QString());
        QVERIFY(f.model->ok());
        QCOMPARE(f.skinFile(), skin);

        // A picture that shows, then one that cannot: the preview says why, Ok stores the first.
        const QString good = QStringLiteral("/pics/ä good.jpg");
        f.platform.chooserAnswers = {good, QStringLiteral("/pics/broken.jpg")};
        f.model->view();
        f.model->view();
        QCOMPARE(f.model->preview(SkinManagerModel::Frame).problem, QStringLiteral("not a picture"));
        QVERIFY(f.platform.chooserCalls.last().endsWith(QStringLiteral("from '") + good + u'\''));
        QVERIFY(f.model->ok());
        QCOMPARE(f.skinFile(), (good + QStringLiteral("\r\n")).toUtf8());
    }

    void norviPresetsFiveMinutesAndKeepsTwoPictures()
    {
        SkinRig f(QStringLiteral("norviprefs"), QStringLiteral("No chime"));
        QCOMPARE(f.model->selectedInterval(), std::optional<int>(0));
        QCOMPARE(f.model->pictureTarget(), SkinManagerModel::Centre);
        QVERIFY(f.platform.chooserCalls.isEmpty());

        // Only a centre picture chosen: the stored frame stays on line 1.
        f.platform.chooserAnswers = {QStringLiteral("/c/centre.bmp"), QStringLiteral("/f/frame.jpg")};
        f.model->view();
        QVERIFY(f.platform.chooserCalls.last().contains(QStringLiteral("bitmap Files (*.bmp)|*.bmp")));
        QVERIFY(f.model->ok());
        QCOMPARE(f.skinFile(),
                 (f.folder.file("Skins/norvi/butnrock-3d.jpg") + "\r\n/c/centre.bmp\r\n").toUtf8());
        QCOMPARE(f.soundFile(), QByteArray("/s.wav\r\n5 min\r\n"));

        // Then the frame as well.
        f.model->selectPicture(SkinManagerModel::Frame);
        f.model->view();
        QCOMPARE(f.model->preview(SkinManagerModel::Frame).path, QStringLiteral("/f/frame.jpg"));
        QVERIFY(f.model->ok());
        QCOMPARE(f.skinFile(), QByteArray("/f/frame.jpg\r\n/c/centre.bmp\r\n"));
    }

    // A failed Ok says why and which files, leaves every settings file as it was (the skin file
    // is not rewritten when the sound file then fails, as when the first fails), and the dialog
    // stays open with its values, which a later Ok saves. Why a file cannot be written is the
    // writer's, in tst_settingsfiles.
    void okSavesBothFilesOrNeither()
    {
        for (const QString obstacle : {"room for the skin file only", "read-only"}) {
            SkinRig f;
            f.platform.chooserAnswers = {QStringLiteral("/pics/new.jpg")};
            f.model->view();
            f.model->selectInterval(3);
            const QString settings = f.folder.file("Settings");
            const QStringList before = folderSnapshot(settings);
            {
                if (obstacle == "read-only")
                    QVERIFY(QFile::setPermissions(settings, QFile::ReadOwner | QFile::ExeOwner));
                std::optional<FileSizeLimit> room;
                if (obstacle != "read-only")
                    room.emplace(qstrlen("/pics/new.jpg\r\n"));
                QVERIFY(!f.model->ok());
            }
            QFile::setPermissions(settings, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QCOMPARE(folderSnapshot(settings), before);
            QCOMPARE(f.platform.shownMessages.size(), 1);
            const QString said = f.platform.shownMessages.front();
            QVERIFY2(said.contains(f.skinPath()) && said.contains("could not be saved"),
                     qPrintable(obstacle + ": " + said));
            if (obstacle != "read-only")
                QVERIFY2(said.contains(f.soundPath()), qPrintable(said));
            QVERIFY(f.registry.isLoaded(f.design.window));
            QVERIFY(f.model->ok());
            QCOMPARE(f.skinFile(), QByteArray("/pics/new.jpg\r\n"));
            QVERIFY2(f.soundFile().endsWith("\r\n30 min\r\n"), f.soundFile().constData());
        }
    }

    // Enter presses the focused push button, or the dialog's Ok when the focus is on no push
    // button: the dialog closes, having saved or not. Each dialog as it opens (the first button of
    // the tab order once took the focus); the family shares one window, so the other places of
    // the focus once.
    void enterPressesTheFocusedButtonOrOk()
    {
        // The dialog, the caption of the control given the focus (none: as opened), whether it saves.
        QList<std::tuple<QString, QString, bool>> rows = {
            {"dovprefs", "10 min", true},
            {"dovprefs", "Cancel", false},
            {window::LumboPrefs, "", true},
            {window::LumboPrefs, "Sound", true},
            {window::LumboPrefs, "Candziel", false},
        };
        for (const SkinManagerDesign &design : skinmanager::all())
            rows.append({design.window, "", true});
        for (const auto &[dialog, focus, saves] : rows) {
            ProgramRig rig("09:04:58");
            QWidget *shown = rig.show(dialog);
            QVERIFY(shown);
            shown->activateWindow();
            QTRY_VERIFY(shown->isActiveWindow());
            QWidget *focused = shown->focusWidget();
            for (QAbstractButton *button : shown->findChildren<QAbstractButton *>())
                if (button->text() == focus)
                    focused = button;
            QVERIFY(focused);
            focused->setFocus();
            const QStringList before = folderSnapshot(rig.folder.file("Settings"));
            QTest::keyClick(focused, Qt::Key_Return);
            ProgramRig::settle();
            const QString row = dialog + ", focus on '" + focus + "'";
            QVERIFY2(!rig.program.registry().isLoaded(dialog),
                     qPrintable(row + ": Enter left the dialog open"));
            QVERIFY2((folderSnapshot(rig.folder.file("Settings")) != before) == saves, qPrintable(row));
            QVERIFY(rig.platform.shownMessages.isEmpty());
        }
    }
};

QTEST_MAIN(TestShellWindows)
#include "tst_shellwindows.moc"
