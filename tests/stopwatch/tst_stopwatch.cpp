#include "stopwatch/StopwatchModel.h"
#include "support/FakeTime.h"

#include <QtTest>

using namespace vrim;
using vrim::test::FakeTime;

using Moment = std::pair<qint64, qint64>; // wall-clock ms into the day, monotonic ms
Q_DECLARE_METATYPE(QList<Moment>)

// Counting on scripted time: the wall clock gives the "HH:MM:SS" text, the monotonic clock what
// really went by, sleep included. No pass waits for anything.
class TestStopwatch : public QObject {
    Q_OBJECT

    struct Rig {
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

    static QStringList boxes(const stopwatch::Watch &watch)
    {
        return {watch.hoursText(), watch.minutesText(), watch.secondsText()};
    }

private Q_SLOTS:
    // Each row: the moments of the passes after a start at wall 0.300 s, monotonic 300 ms, and
    // the seconds that really went by at the last of them. Setting the time of day neither adds
    // nor takes away a second; time asleep counts, and then the stamps agree with the count. Each
    // unit's box shows the whole time in that unit.
    void countsTheTimeThatReallyWentBy_data()
    {
        QTest::addColumn<QList<Moment>>("passes");
        QTest::addColumn<int>("counted");
        const auto steady = [](int from, int to, qint64 wallShift = 0, qint64 monoShift = 0) {
            QList<Moment> out;
            for (int s = from; s <= to; ++s)
                out.append({s * 1000LL + 2 + wallShift, s * 1000LL + 2 + monoShift});
            return out;
        };
        QTest::newRow("steady") << steady(1, 6) << 6;
        QTest::newRow("3725 s") << steady(1, 3725) << 3725;
        QTest::newRow("clock set back an hour") << steady(1, 3) + steady(4, 6, -3600'000) << 6;
        QTest::newRow("clock set forward a day") << steady(1, 3) + steady(4, 6, 86400'000) << 6;
        QTest::newRow("clock set back 30 s") << steady(1, 3) + steady(4, 6, -30'000) << 6;
        QTest::newRow("clock set forward 37 s") << steady(1, 3) + steady(4, 6, 37'000) << 6;
        QTest::newRow("clock set back 1 s") << steady(1, 3) + steady(4, 6, -1000) << 6;
        // Set 0.6 s on after every pass: the seconds shown change every 0.4 s.
        QList<Moment> nudged;
        for (int pass = 0; pass < 10; ++pass)
            nudged.append({(pass + 1) * 1000 + 2, 1002 + pass * 400});
        QTest::newRow("clock set on 0.6 s ten times") << nudged << 4;
        QTest::newRow("stuck clock")
            << steady(1, 3) + QList<Moment>{{3002, 4002}, {3002, 5002}, {3002, 6002}, {3002, 7002}} << 7;
        QTest::newRow("a pass 1.5 s late")
            << QList<Moment>{{1002, 1002}, {2002, 2002}, {4502, 4502}, {5002, 5002}} << 5;
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
        Rig rig;
        rig.at(300, 300);
        rig.model.clickFirst();
        for (const auto &[wall, mono] : passes)
            rig.passAt(wall, mono);
        QCOMPARE(rig.model.first().counts, stopwatch::Counts::after(counted));
        QCOMPARE(boxes(rig.model.first()),
                 (QStringList{QString::number(counted / 3600), QString::number(counted / 60),
                              QString::number(counted)}));
        // Stopped at the last pass: where nobody set the clock, the stamps span the count.
        rig.model.clickFirst();
        const auto [wall, mono] = passes.last();
        if (wall == mono) {
            const QTime started =
                QTime::fromString(rig.model.first().startStamp.trimmed(), QStringLiteral("HH:mm:ss"));
            const QTime stopped =
                QTime::fromString(rig.model.first().stopStamp.trimmed(), QStringLiteral("HH:mm:ss"));
            QCOMPARE((started.secsTo(stopped) + 86400) % 86400, counted % 86400);
        }
        QCOMPARE(rig.model.first().counts.totalSeconds, counted);
    }

    void aStopCountsTheSecondThatJustChanged()
    {
        // Stopped between the change of the second and the pass just after it: the count
        // still matches the stamps.
        Rig rig;
        rig.at(300, 300);
        rig.model.clickFirst();
        for (int s = 1; s <= 4; ++s)
            rig.passAt(s * 1000 + 2, s * 1000 + 2);
        rig.at(5001, 5001);
        rig.model.clickFirst();
        QCOMPARE(rig.model.first().secondsText(), QStringLiteral("5"));
        QCOMPARE(rig.model.first().startStamp, QStringLiteral("00:00:00  "));
        QCOMPARE(rig.model.first().stopStamp, QStringLiteral("00:00:05  "));
    }
};

QTEST_GUILESS_MAIN(TestStopwatch)
#include "tst_stopwatch.moc"
