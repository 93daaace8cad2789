#include "clocks/perrin/PerrinClock.h"
#include "support/ClockRig.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

// The Perrin clock without its window: the picture of each hour, the minutes and the hot spot's
// tip, the creep to the left once a minute, the turn at the left edge, and the shape.
class TestPerrinClock : public QObject {
    Q_OBJECT

    struct Fixture : ClockRig<PerrinClock> {
        Fixture()
            : ClockRig(Design::Perrin,
                       [](const ClockContext &context) { return std::make_unique<PerrinClock>(context); })
        {
            ops.x = 657; // the window opens at 9855 twips
        }
        FrameButton button(const QString &name) const
        {
            for (const FrameButton &button : clock.buttons())
                if (button.name == name)
                    return button;
            return {};
        }
        // Passes at minutes first + 1, first + 2 ... : one change of the minutes text each.
        void minutesGoBy(int count, int first = 0)
        {
            for (int i = 1; i <= count; ++i) {
                const int minute = first + i;
                time.now = QStringLiteral("%1:%2:00")
                               .arg((minute / 60) % 24, 2, 10, QLatin1Char('0'))
                               .arg(minute % 60, 2, 10, QLatin1Char('0'));
                clock.tick();
            }
        }
    };

private Q_SLOTS:
    void thePictureOfTheHour_data()
    {
        QTest::addColumn<QString>("now");
        QTest::addColumn<int>("picture");
        QTest::newRow("00:00 is picture 24") << "00:00:00" << 24;
        QTest::newRow("00:59 is picture 24") << "00:59:59" << 24;
        QTest::newRow("01:00 is picture 1") << "01:00:00" << 1;
        QTest::newRow("12:30 is picture 12") << "12:30:00" << 12;
        QTest::newRow("13:05 is picture 13") << "13:05:00" << 13;
        QTest::newRow("23:59 is picture 23") << "23:59:30" << 23;
    }
    void thePictureOfTheHour()
    {
        QFETCH(QString, now);
        QFETCH(int, picture);
        Fixture f;
        f.time.now = now;
        f.clock.load();
        QCOMPARE(f.clock.hourPicture(), picture);
        QCOMPARE(f.clock.pictures(), QStringList{PerrinClock::picturePath(picture)});
        QCOMPARE(f.button(perrin::control::HotSpot).tip, QLatin1Char(' ') + QString::number(picture));
        QCOMPARE(f.button(perrin::control::Minutes).label->text, now.mid(3, 2));
        QCOMPARE(f.clock.buttonColour(perrin::control::Minutes), rgbValue(229, 255, 231));
        QVERIFY(f.problems.isEmpty());
    }

    void thePictureIsReadAgainOnlyOnTheHour()
    {
        Fixture f;
        f.time.now = QStringLiteral("12:59:58");
        f.clock.load();
        f.clock.tick();
        QCOMPARE(f.pictureLoads.count(), 1);
        f.time.now = QStringLiteral("13:00:00");
        f.clock.tick();
        f.clock.tick();
        QCOMPARE(f.pictureLoads.count(), 2);
        QCOMPARE(f.clock.pictures(), QStringList{QStringLiteral(":/perrin/hour-13.png")});
    }

    // 5.833 twips a minute, the fraction kept: an hour is 350 twips (23 px), a day 8399.5.
    void creepsLeftOnceAMinute_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("left");
        QTest::newRow("the opening step stays on 657 px") << 1 << 657;
        QTest::newRow("an hour: 634 px") << 60 << 634;
        QTest::newRow("a day: 97 px") << 1440 << 97;
    }
    void creepsLeftOnceAMinute()
    {
        QFETCH(int, steps);
        QFETCH(int, left);
        Fixture f;
        f.time.now = QStringLiteral("00:00:30");
        f.clock.load();
        f.minutesGoBy(steps - 1);
        QCOMPARE(f.ops.x, left);
        QVERIFY(qAbs(f.clock.leftTwips() - (9855 - steps * 5.833)) < 1e-6);
        // More passes in the same minute move nothing.
        f.clock.tick();
        f.clock.tick();
        QCOMPARE(f.ops.x, left);
    }

    // Dragged to the left edge the window steps right and left again, staying near it; where
    // the screen is too narrow for it, it does not move at all.
    void turnsAtTheLeftEdge_data()
    {
        QTest::addColumn<int>("draggedTo");
        QTest::addColumn<int>("screen");
        QTest::addColumn<QList<double>>("lefts");
        QTest::newRow("dragged to 0 px") << 0 << 1280 << QList<double>{5.833, 11.666, 5.833, 11.666};
        QTest::newRow("dragged to 1 px") << 1 << 1280 << QList<double>{9.167, 3.334, 9.167, 3.334};
        QTest::newRow("a 140 px screen: no move") << 0 << 140 << QList<double>{0, 0, 0, 0};
    }
    void turnsAtTheLeftEdge()
    {
        QFETCH(int, draggedTo);
        QFETCH(int, screen);
        QFETCH(QList<double>, lefts);
        Fixture f;
        f.time.now = QStringLiteral("08:00:10");
        f.clock.load();
        f.ops.screen = screen;
        f.ops.x = draggedTo;
        int minute = 8 * 60;
        for (const double left : lefts) {
            f.minutesGoBy(1, minute++);
            const double kept = screen == 140 ? draggedTo * 15.0 : f.clock.leftTwips();
            QVERIFY2(qAbs(kept - left) < 1e-6, qPrintable(QString::number(f.clock.leftTwips())));
            QCOMPARE(f.ops.x, PerrinClock::pixelsOfTwips(left));
        }
    }

    void theShapeFollowsTheSizeButNotWhileMinimised()
    {
        Fixture f;
        f.clock.load();
        f.ops.log.clear();
        f.clock.resized(QSize(233, 200), false);
        f.clock.resized(QSize(233, 200), true);
        f.clock.resized(QSize(300, 250), false);
        QCOMPARE(f.ops.log,
                 (QStringList{"shape 0,0-133,130 less 1,1-20,10", "shape 0,0-200,180 less 1,1-20,10"}));
    }
};

QTEST_GUILESS_MAIN(TestPerrinClock)
#include "tst_perrinclock.moc"
