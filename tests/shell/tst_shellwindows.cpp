#include "BuildConfig.h"
#include "app/Program.h"
#include "base/WindowNames.h"
#include "shell/AboutBox.h"
#include "shell/AboutRules.h"
#include "shell/LauncherWindow.h"
#include "shell/SplashWindow.h"
#include "support/FakePlatform.h"
#include "support/FakeWindows.h"
#include "ui/ClickLabel.h"
#include "ui/WidgetWindow.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vrim;
using vrim::test::FakePlatform;
using vrim::test::WindowLog;

namespace {

// Finds only the programs it is given, at made-up paths.
about::FindOnPath findOnly(QStringList present)
{
    return [present](const QString &program) {
        return present.contains(program) ? QStringLiteral("/opt/bin/") + program : QString();
    };
}

} // namespace

// The splash, the launcher and the About box in the program, with stand-ins for the clocks.
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
        W *widget(const QString &name)
        {
            auto *handle = dynamic_cast<WidgetWindow *>(program.registry().window(name));
            return handle ? qobject_cast<W *>(handle->widget()) : nullptr;
        }
        LauncherWindow *launcher()
        {
            program.registry().show(window::Launcher);
            return widget<LauncherWindow>(window::Launcher);
        }
        AboutBox *about()
        {
            program.registry().show(window::About);
            return widget<AboutBox>(window::About);
        }
        QStringList loaded() { return program.registry().loaded(); }
    };

    static void settle()
    {
        QCoreApplication::sendPostedEvents(); // the queued end-of-program check
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private Q_SLOTS:
    void quitOnTheSplashEndsEverything()
    {
        Fixture f;
        QVERIFY(f.program.start());
        f.platform.timers.back()->elapse(); // the splash's own timer
        QTest::mouseClick(f.widget<SplashWindow>(window::Splash)->findChild<QPushButton *>(), Qt::LeftButton);
        settle();
        QCOMPARE(f.ends, 1);
        QVERIFY(f.loaded().isEmpty());
        QVERIFY(f.platform.shownMessages.isEmpty());
    }

    // Some entries open as a button goes down, the rest on a whole click; which is the
    // launcher table's. Closing the launcher itself leaves the other windows.
    void entriesAnswerTheMouse_data()
    {
        QTest::addColumn<QString>("entry"); // "" closes the launcher
        QTest::addColumn<bool>("bar");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("onPress");
        QTest::addColumn<QStringList>("loaded"); // the help menu open before
        QTest::addColumn<int>("ends");
        const QString help = window::HelpMenu;
        QTest::newRow("Dov label, any button down")
            << "Dov" << false << int(Qt::RightButton) << true << QStringList{help, window::Dov} << 0;
        QTest::newRow("Perrin label, a click")
            << "Perrin" << false << int(Qt::LeftButton) << false << QStringList{help, window::Perrin} << 0;
        QTest::newRow("Dov bar, a click")
            << "Dov" << true << int(Qt::LeftButton) << false << QStringList{help, window::Dov} << 0;
        QTest::newRow("help picture, button down")
            << "H E L P" << true << int(Qt::LeftButton) << true << QStringList{help} << 0;
        QTest::newRow("Exit label") << "Exit" << false << int(Qt::LeftButton) << true << QStringList{help}
                                    << 0;
        QTest::newRow("Exit bar") << "Exit" << true << int(Qt::LeftButton) << false << QStringList{} << 1;
        QTest::newRow("closing the launcher") << "" << false << 0 << true << QStringList{help} << 0;
    }
    void entriesAnswerTheMouse()
    {
        QFETCH(QString, entry);
        QFETCH(bool, bar);
        QFETCH(int, button);
        QFETCH(bool, onPress);
        QFETCH(QStringList, loaded);
        QFETCH(int, ends);
        Fixture f;
        f.program.registry().show(window::HelpMenu);
        LauncherWindow *launcher = f.launcher();
        if (entry.isEmpty()) {
            launcher->close();
        } else {
            ClickLabel *target = bar ? launcher->bar(entry) : launcher->label(entry);
            QVERIFY(target);
            const QPoint at = !bar ? QPoint() : entry == "H E L P" ? QPoint(3, 3) : QPoint(60, 12);
            QTest::mousePress(target, Qt::MouseButton(button), {}, at);
            settle();
            QCOMPARE(f.program.registry().isLoaded(window::Launcher), !onPress);
            if (!onPress)
                QTest::mouseRelease(target, Qt::MouseButton(button), {}, at);
        }
        settle();
        QCOMPARE(f.loaded(), loaded);
        QCOMPARE(f.ends, ends);
    }

    void theFocusedEntryShowsAMark_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("other"); // an entry focused first
        QTest::newRow("a light bar") << "Vrim"
                                     << "Exit";
        QTest::newRow("a dark bar") << "Mip"
                                    << "Vrim";
        QTest::newRow("the black bar") << "Ganto"
                                       << "Vrim";
        QTest::newRow("the white bar") << "Exit"
                                       << "Vrim";
        QTest::newRow("the help picture") << "H E L P"
                                          << "Vrim";
    }
    // Whichever way the focus came, the focused entry's rectangle looks plainly different from
    // the same entry without the focus.
    void theFocusedEntryShowsAMark()
    {
        QFETCH(QString, entry);
        QFETCH(QString, other);
        Fixture f;
        LauncherWindow *launcher = f.launcher();
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
        QVERIFY2(plain >= (with.width() + with.height()) / 2, qPrintable(QString::number(plain)));
    }

    void versionText_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("two digits") << "2.10.0" << "Version 2.10.0";
        QTest::newRow("padded") << "01.02.03" << "Version 1.2.3";
        // clang-format on
    }
    void versionText()
    {
        QFETCH(QString, version);
        QFETCH(QString, expected);
        QCOMPARE(about::versionText(version), expected);
    }

    void showsTitleAndVersionInAFixedBox()
    {
        Fixture f;
        AboutBox *about = f.about();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("About Vrim Clocks"));
        QCOMPARE(about->minimumSize(), QSize(382, 237));
        QCOMPARE(about->maximumSize(), QSize(382, 237));
        QVERIFY(!(about->windowFlags() & (Qt::WindowMinMaxButtonsHint)));
        QCOMPARE(about->findChild<QLabel *>("lblVersion")->text(),
                 about::versionText(QString::fromLatin1(build::Version)));

        // Shown again, it is the same box brought forward.
        QCOMPARE(f.about(), about);
    }

    void enterAndEscapeUnload_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void enterAndEscapeUnload()
    {
        QFETCH(int, key);
        Fixture f;
        QPointer<AboutBox> about = f.about();
        QTest::keyClick(about.data(), Qt::Key(key));
        QVERIFY(!f.program.registry().isLoaded(window::About));
        settle();
        QVERIFY(about.isNull());
    }

    void sysInfoStartsTheFirstToolFoundOrTellsTheUser()
    {
        FakePlatform platform;
        const QStringList tools = about::systemInfoPrograms();
        QVERIFY(tools.size() >= 3);
        about::startSysInfo(platform, platform, findOnly({tools[1], tools.last()}));
        // The program itself, by its full path: no shell in between.
        QCOMPARE(platform.startedPrograms, QStringList{"/opt/bin/" + tools[1]});
        QVERIFY(platform.shownMessages.isEmpty());
        // One that will not start is tried once, and the user told.
        platform.programsStart = false;
        about::startSysInfo(platform, platform, findOnly({tools[1]}));
        QCOMPARE(platform.startedPrograms.size(), 2);
        QCOMPARE(platform.shownMessages, QStringList{about::unavailableText()});
    }

    void sysInfoButtonWithNoToolTellsTheUserAndLeavesTheBoxOpen()
    {
        FakePlatform platform;
        WindowRegistry registry;
        registry.define(window::About, [&] {
            return std::make_unique<WidgetWindow>(new AboutBox(registry, platform, findOnly({})));
        });
        registry.show(window::About);
        auto *about = static_cast<WidgetWindow *>(registry.window(window::About))->widget();
        auto *button = about->findChild<QPushButton *>("cmdSysInfo");
        QTest::mouseClick(button, Qt::LeftButton); // with no tool found
        QCOMPARE(platform.shownMessages, QStringList{"System Information Is Unavailable At This Time"});
        QVERIFY(platform.startedPrograms.isEmpty());
        QVERIFY(registry.isLoaded(window::About));
    }

    void linkOpensTheHomePage()
    {
        Fixture f;
        f.platform.pagesOpen = false; // no browser: still nothing to tell
        QTest::mouseClick(f.about()->findChild<ClickLabel *>("Label3"), Qt::LeftButton);
        QCOMPARE(f.platform.openedPages, QStringList{QString::fromLatin1(build::HomePage)});
        QVERIFY(f.platform.shownMessages.isEmpty());
        QVERIFY(f.program.registry().isLoaded(window::About));
    }
};

QTEST_MAIN(TestShellWindows)
#include "tst_shellwindows.moc"
