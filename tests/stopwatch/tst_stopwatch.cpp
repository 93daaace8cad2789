#include "stopwatch/StopwatchModel.h"
#include "stopwatch/StopwatchWindow.h"
#include "support/FakeTime.h"
#include "support/ProgramRig.h"

#include <QMenu>
#include <QPushButton>

using namespace vrim;
using namespace vrim::test;

using Moment = std::pair<qint64, qint64>; // wall-clock ms into the day, monotonic ms
Q_DECLARE_METATYPE(QList<Moment>)

// Counting on scripted time (the wall clock gives the "HH:MM:SS" text, the monotonic clock what
// really went by, sleep included), then the Gantos window in the whole program on test doubles.
class TestStopwatch : public QObject {
    Q_OBJECT

    struct Counting {
        FakeTime time;
        StopwatchModel model{time};

        void at(qint64 wallMs, qint64 monoMs)
        {
            const qint64 second = ((wallMs / 1000) % 86400 + 86400) % 86400;
            time.now = QTime(0, 0).addSecs(int(second)).toString(QStringLiteral("HH:mm:ss"));
            time.wallMs = wallMs;
            time.monoMs = monoMs;
        }
        void passAt(qint64 wallMs, qint64 monoMs)
        {
            at(wallMs, monoMs);
            model.pass();
        }
    };

    struct Rig : ProgramRig { // the window
        StopwatchWindow *window = nullptr;
        qint64 second = 36000; // 10:00:00

        Rig()
            : ProgramRig(QStringLiteral("10:00:00"))
        {
            platform.clock.monoMs = 300;
            window = show<StopwatchWindow>(window::Stopwatch);
        }
        template <typename T = QWidget>
        T *control(const char *name) const
        {
            return window->findChild<T *>(QString::fromLatin1(name));
        }
        QString text(const char *name) const { return control(name)->property("text").toString(); }
        void click(const char *name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
        // The ticker's pass just after the next second.
        void nextSecond()
        {
            ++second;
            platform.clock.now =
                QTime(0, 0).addSecs(int(second % 86400)).toString(QStringLiteral("HH:mm:ss"));
            platform.clock.monoMs += 1000;
            ticker().elapse();
        }
        QString button(const char *name) const
        {
            auto *push = control<QPushButton>(name);
            return push->text() + (push->isEnabled() ? QString() : QStringLiteral(" (off)"));
        }
    };

private Q_SLOTS:
    // Each row: the moments of the passes after a start at wall 0.300 s, monotonic 300 ms, and
    // the seconds that really went by at the last of them. Setting the time of day neither adds
    // nor takes away a second; time asleep counts, and then the stamps agree with the count. Each
    // unit's box shows the whole time in that unit.
    void countsTheTimeThatReallyWentBy_data()
    {
        QTest::addColumn<QList<Moment>>("passes");
        QTest::addColumn<int>("counted");
        const auto steady = [](int from, int to, qint64 wallShift = 0) {
            QList<Moment> out;
            for (int s = from; s <= to; ++s)
                out.append({s * 1000LL + 2 + wallShift, s * 1000LL + 2});
            return out;
        };
        QTest::newRow("steady") << steady(1, 6) << 6;
        QTest::newRow("3725 s") << steady(1, 3725) << 3725;
        QTest::newRow("clock set forward a day") << steady(1, 3) + steady(4, 6, 86400'000) << 6;
        QTest::newRow("clock set back 1 s") << steady(1, 3) + steady(4, 6, -1000) << 6;
        // Set 0.6 s on after every pass: the seconds shown change every 0.4 s.
        QList<Moment> nudged;
        for (int pass = 0; pass < 10; ++pass)
            nudged.append({(pass + 1) * 1000 + 2, 1002 + pass * 400});
        QTest::newRow("clock set on 0.6 s ten times") << nudged << 4;
        QTest::newRow("stuck clock")
            << steady(1, 3) + QList<Moment>{{3002, 4002}, {3002, 5002}, {3002, 6002}, {3002, 7002}} << 7;
        QTest::newRow("a pass 5 s late")
            << QList<Moment>{{1002, 1002}, {2002, 2002}, {7002, 7002}, {8002, 8002}} << 8;
        QTest::newRow("a pass a little early") << QList<Moment>{{999, 999}, {1002, 1002}, {2002, 2002}} << 2;
        QTest::newRow("an hour asleep") << steady(1, 2) + steady(3602, 3603) << 3603;
        QTest::newRow("400 days asleep") << steady(1, 2) + steady(34'560'002, 34'560'003) << 34'560'003;
    }
    void countsTheTimeThatReallyWentBy()
    {
        QFETCH(QList<Moment>, passes);
        QFETCH(int, counted);
        Counting rig;
        rig.at(300, 300);
        rig.model.clickFirst();
        for (const auto &[wall, mono] : passes)
            rig.passAt(wall, mono);
        const auto &watch = rig.model.first();
        QCOMPARE(watch.counts, stopwatch::Counts::after(counted));
        QCOMPARE((QStringList{watch.hoursText(), watch.minutesText(), watch.secondsText()}),
                 (QStringList{QString::number(counted / 3600), QString::number(counted / 60),
                              QString::number(counted)}));
        // Stopped at the last pass: where nobody set the clock, the stamps span the count.
        rig.model.clickFirst();
        const auto [wall, mono] = passes.last();
        const auto stamp = [](const QString &text) {
            return QTime::fromString(text.trimmed(), u"HH:mm:ss"_qs);
        };
        if (wall == mono)
            QCOMPARE((stamp(watch.startStamp).secsTo(stamp(watch.stopStamp)) + 86400) % 86400,
                     counted % 86400);
        QCOMPARE(watch.counts.totalSeconds, counted);
    }

    // Stopped between the change of the second and the pass just after it: the count still
    // matches the stamps.
    void aStopCountsTheSecondThatJustChanged()
    {
        Counting rig;
        rig.at(300, 300);
        rig.model.clickFirst();
        for (int s = 1; s <= 4; ++s)
            rig.passAt(s * 1000 + 2, s * 1000 + 2);
        rig.at(5001, 5001);
        rig.model.clickFirst();
        const auto &watch = rig.model.first();
        QCOMPARE((QStringList{watch.secondsText(), watch.startStamp, watch.stopStamp}),
                 (QStringList{"5", "00:00:00  ", "00:00:05  "}));
    }

    // "1", "2", "3" click Command1, Command2, Command3; "p" is a pass of the ticker.
    void clickSequences()
    {
        const std::tuple<const char *, QString, QStringList> rows[] = {
            // name, clicks, Command1, 2, 3 after them
            // clang-format off
            {"at load, a disabled Command2 does nothing", "2", {"Start", "Start (off)", "Sincronized Start"}},
            {"Command2 usable after Command1 Start", "1", {"Stop", "Start", "Sincronized Start (off)"}},
            {"first stopped", "1p1", {"Reset", "Start (off)", "Sincronized Start (off)"}},
            {"one by one: Sincronized Stop shown but disabled", "12p", {"Stop", "Stop", "Sincronized Stop (off)"}},
            {"second, then first stopped: Sincronized Reset offered", "12p21", {"Reset", "Reset (off)", "Sincronized Reset"}},
            {"second reset while the first runs", "1222", {"Stop", "Start (off)", "Sincronized Start (off)"}},
            {"synchronised start", "3", {"Stop", "Stop", "Sincronized Stop"}},
            {"synchronised stop", "3p3", {"Reset", "Reset", "Sincronized Reset"}},
            {"first reset alone after a synchronised stop", "3p31", {"Start", "Reset (off)", "Sincronized Reset"}},
            {"both back to Start one by one", "12p2211", {"Start", "Start (off)", "Sincronized Start"}},
            // clang-format on
        };
        for (const auto &[name, clicks, buttons] : rows) {
            Rig rig;
            QVERIFY(rig.window);
            for (const QChar step : clicks) {
                if (step == u'p')
                    rig.nextSecond();
                else
                    rig.click(step == u'1' ? "Command1" : step == u'2' ? "Command2" : "Command3");
            }
            const QStringList shown{rig.button("Command1"), rig.button("Command2"), rig.button("Command3")};
            QVERIFY2(shown == buttons, qPrintable(name + u": "_qs + shown.join(u", ")));
        }
    }

    void aSynchronisedRunFillsBothColumns()
    {
        Rig rig;
        rig.click("Command3");
        QCOMPARE(rig.text("segundos"), QString());
        for (int s = 0; s < 75; ++s)
            rig.nextSecond();
        rig.click("Command3");
        const QStringList shown{"0",          "0",          "1",          "1",
                                "75",         "75",         "10:00:00  ", "10:00:00  ",
                                "10:01:15  ", "10:01:15  ", "10:01:15",   "10:01:15"};
        QStringList boxes;
        for (const char *name : {"Horas", "Horass", "minutos", "minutoss", "segundos", "segundoss",
                                 "SDisplay", "SgDisplay", "FDisplay", "FgDisplay", "Atime", "Atimee"})
            boxes << rig.text(name);
        QCOMPARE(boxes, shown);
        rig.click("Command3"); // Sincronized Reset empties everything
        for (const char *name : {"segundos", "segundoss", "SDisplay", "FgDisplay"})
            QCOMPARE(rig.text(name), QString());
    }

    // Help is offered, moves Gantos aside and opens the "ganto" page, which has no sample.
    void helpMovesTheWindowAside()
    {
        Rig rig;
        const std::unique_ptr<QMenu> menu = rig.window->makeMenu();
        QVERIFY(menu->actions().value(0) && menu->actions()[0]->isEnabled());
        rig.window->move(10, 100);
        rig.window->chooseMenuItem(QStringLiteral("Helpmnu"));
        QCOMPARE(rig.window->pos(), QPoint(467, 100));
        QWidget *help = widgetOf(rig.program.registry(), window::HelpPage);
        QVERIFY(help);
        QCOMPARE(help->pos(), QPoint(108, 60));
        QCOMPARE(help->findChild<QPushButton *>(QStringLiteral("Command1"))->isEnabled(), false);
    }

    // The close box goes the way of Exit (the end-to-end test's), and leaves nothing counting.
    void theCloseBoxShowsTheLauncher()
    {
        Rig rig;
        rig.click("Command3");
        rig.window->close();
        ProgramRig::settle();
        QVERIFY(!rig.program.registry().isLoaded(window::Stopwatch));
        QVERIFY(rig.others.events.contains(QStringLiteral("show menu")));
        QVERIFY(!rig.ticker().isActive());
    }

    // The switch's colour says whether the window stays on top: light green on, red off.
    void onTopSwitchShowsItsStateInColour()
    {
        Rig rig;
        auto *onTop = rig.control("Picture4");
        const auto state = [&rig, onTop] {
            return std::pair(onTop->grab().toImage().pixelColor(onTop->rect().center()),
                             rig.window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        };
        for (const auto &expected :
             {std::pair(QColor(192, 255, 120), true), std::pair(QColor(Qt::red), false),
              std::pair(QColor(192, 255, 120), true)}) {
            QCOMPARE(state(), expected);
            QTest::mousePress(onTop, Qt::LeftButton);
        }
    }
};

QTEST_MAIN(TestStopwatch)
#include "tst_stopwatch.moc"
