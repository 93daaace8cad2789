#include "app/Program.h"
#include "base/WindowNames.h"
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

class TestLauncherWindow : public QObject {
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
        QStringList loaded() const { return const_cast<Fixture *>(this)->program.registry().loaded(); }
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

    void labelsAnswerToButtonDownWhereTheTableSaysSo()
    {
        Fixture f;
        // Any button going down on the Dov label opens the clock.
        QTest::mousePress(f.launcher()->label("Dov"), Qt::RightButton);
        settle();
        QCOMPARE(f.loaded(), QStringList{window::Dov});

        // The Perrin label waits for a whole click.
        auto *launcher = f.launcher();
        QTest::mousePress(launcher->label("Perrin"), Qt::LeftButton);
        QVERIFY(f.program.registry().isLoaded(window::Launcher));
        QTest::mouseRelease(launcher->label("Perrin"), Qt::LeftButton);
        settle();
        QCOMPARE(f.loaded(), (QStringList{window::Dov, window::Perrin}));
    }

    void barsAnswerToAClick()
    {
        Fixture f;
        auto *launcher = f.launcher();
        QTest::mousePress(launcher->bar("Dov"), Qt::LeftButton, {}, QPoint(60, 12));
        QVERIFY(!f.program.registry().isLoaded(window::Dov));
        QTest::mouseRelease(launcher->bar("Dov"), Qt::LeftButton, {}, QPoint(60, 12));
        settle();
        QCOMPARE(f.loaded(), QStringList{window::Dov});

        // The help picture opens the help menu as soon as a button goes down.
        QTest::mousePress(f.launcher()->bar("H E L P"), Qt::LeftButton, {}, QPoint(3, 3));
        settle();
        QCOMPARE(f.loaded(), (QStringList{window::Dov, window::HelpMenu}));
    }

    void exitLabelAndExitBar()
    {
        Fixture f;
        f.program.registry().show(window::HelpMenu);
        QTest::mousePress(f.launcher()->label("Exit"), Qt::LeftButton);
        settle();
        QCOMPARE(f.loaded(), QStringList{window::HelpMenu});
        QCOMPARE(f.ends, 0);

        QTest::mouseClick(f.launcher()->bar("Exit"), Qt::LeftButton, {}, QPoint(60, 12));
        settle();
        QVERIFY(f.loaded().isEmpty());
        QCOMPARE(f.ends, 1);
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

    void closingTheLauncherLeavesTheOthers()
    {
        Fixture f;
        f.program.registry().show(window::Dov);
        f.launcher()->close();
        settle();
        QCOMPARE(f.loaded(), QStringList{window::Dov});
    }
};

QTEST_MAIN(TestLauncherWindow)
#include "tst_launcherwindow.moc"
