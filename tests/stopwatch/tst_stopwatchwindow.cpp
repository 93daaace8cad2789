#include "stopwatch/StopwatchWindow.h"
#include "support/ProgramRig.h"
#include "ui/WidgetWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

using namespace vrim;
using namespace vrim::test;

// The real Gantos window offscreen, in the whole program on test doubles: what the user reads
// and can press after each sequence of clicks.
class TestStopwatchWindow : public QObject {
    Q_OBJECT

    struct Rig : ProgramRig {
        StopwatchWindow *window = nullptr;
        qint64 second = 36000; // 10:00:00

        Rig()
            : ProgramRig(QStringLiteral("10:00:00"))
        {
            platform.clock.monoMs = 300;
            program.registry().show(window::Stopwatch);
            auto *handle = dynamic_cast<WidgetWindow *>(program.registry().window(window::Stopwatch));
            window = handle ? qobject_cast<StopwatchWindow *>(handle->widget()) : nullptr;
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
    // "1", "2", "3" click Command1, Command2, Command3; "p" is a pass of the ticker.
    void clickSequences_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QStringList>("buttons"); // Command1, Command2, Command3
        // clang-format off
        QTest::newRow("at load, a disabled Command2 does nothing") << "2" << QStringList{"Start", "Start (off)", "Sincronized Start"};
        QTest::newRow("Command2 usable after Command1 Start") << "1" << QStringList{"Stop", "Start", "Sincronized Start (off)"};
        QTest::newRow("first stopped") << "1p1" << QStringList{"Reset", "Start (off)", "Sincronized Start (off)"};
        QTest::newRow("one by one: Sincronized Stop shown but disabled") << "12p" << QStringList{"Stop", "Stop", "Sincronized Stop (off)"};
        QTest::newRow("second, then first stopped: Sincronized Reset offered") << "12p21" << QStringList{"Reset", "Reset (off)", "Sincronized Reset"};
        QTest::newRow("second reset while the first runs") << "1222" << QStringList{"Stop", "Start (off)", "Sincronized Start (off)"};
        QTest::newRow("synchronised start") << "3" << QStringList{"Stop", "Stop", "Sincronized Stop"};
        QTest::newRow("synchronised stop") << "3p3" << QStringList{"Reset", "Reset", "Sincronized Reset"};
        QTest::newRow("first reset alone after a synchronised stop") << "3p31" << QStringList{"Start", "Reset (off)", "Sincronized Reset"};
        QTest::newRow("both back to Start one by one") << "12p2211" << QStringList{"Start", "Start (off)", "Sincronized Start"};
        // clang-format on
    }
    void clickSequences()
    {
        QFETCH(QString, clicks);
        QFETCH(QStringList, buttons);
        Rig rig;
        QVERIFY(rig.window);
        for (const QChar step : clicks) {
            if (step == u'p')
                rig.nextSecond();
            else
                rig.click(step == u'1' ? "Command1" : step == u'2' ? "Command2" : "Command3");
        }
        QCOMPARE((QStringList{rig.button("Command1"), rig.button("Command2"), rig.button("Command3")}),
                 buttons);
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
    // About and Exit are the end-to-end test's.
    void helpMovesTheWindowAside()
    {
        Rig rig;
        const std::unique_ptr<QMenu> menu = rig.window->makeMenu();
        QVERIFY(menu->actions().value(0) && menu->actions()[0]->isEnabled());
        rig.window->move(10, 100);
        rig.window->chooseMenuItem(QStringLiteral("Helpmnu"));
        QCOMPARE(rig.window->pos(), QPoint(467, 100));
        auto *help = dynamic_cast<WidgetWindow *>(rig.program.registry().window(window::HelpPage));
        QVERIFY(help && help->widget());
        QCOMPARE(help->widget()->pos(), QPoint(108, 60));
        QCOMPARE(help->widget()->findChild<QPushButton *>(QStringLiteral("Command1"))->isEnabled(), false);
    }

    // Exit is the end-to-end test's; the close box goes the same way, and leaves nothing counting.
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

QTEST_MAIN(TestStopwatchWindow)
#include "tst_stopwatchwindow.moc"
