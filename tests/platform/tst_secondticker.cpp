#include "platform/SecondTicker.h"
#include "support/FakePlatform.h"

#include <QtTest>

using namespace vrim;
using vrim::test::FakeTimer;

class TestSecondTicker : public QObject {
    Q_OBJECT

    struct Fixture {
        FakeTimer *timer = new FakeTimer;
        qint64 now = 1'700'000'000'250; // a quarter into a second
        SecondTicker ticker{std::unique_ptr<Timer>(timer), [this] { return now; }};
    };

private Q_SLOTS:
    void wakesJustAfterEachSecond_data()
    {
        QTest::addColumn<qint64>("now");
        QTest::addColumn<int>("delay");
        QTest::newRow("on the second") << qint64(5000) << 1000 + SecondTicker::Slack;
        QTest::newRow("just before") << qint64(5999) << 1 + SecondTicker::Slack;
        QTest::newRow("before the epoch") << qint64(-250) << 250 + SecondTicker::Slack;
    }
    void wakesJustAfterEachSecond()
    {
        QFETCH(qint64, now);
        QFETCH(int, delay);
        QCOMPARE(SecondTicker::delayToNextSecond(now), delay);
    }

    void everySubscriberPassesEachSecond()
    {
        Fixture f;
        int a = 0, b = 0;
        f.ticker.subscribe([&] { ++a; });
        f.ticker.subscribe([&] { ++b; });
        f.now = 1'700'000'001'002;
        f.timer->elapse();
        QCOMPARE(a, 1);
        QCOMPARE(b, 1);
        QCOMPARE(f.timer->interval(), 998 + SecondTicker::Slack);
    }

    void passSoonRunsOnlyWhoAsked()
    {
        Fixture f;
        int a = 0, b = 0;
        const int first = f.ticker.subscribe([&] { ++a; });
        f.ticker.subscribe([&] { ++b; });
        f.ticker.passSoon(first);
        f.ticker.passSoon(first); // asked twice before the pass: one pass
        QCOMPARE(f.timer->interval(), 0);
        f.timer->elapse();
        QCOMPARE(a, 1);
        QCOMPARE(b, 0);
        QCOMPARE(f.timer->interval(), 750 + SecondTicker::Slack); // back to the seconds
    }

    void settingTheClockBackNeverSleepsLongerThanASecond()
    {
        Fixture f;
        f.ticker.subscribe([] {});
        f.now = 1'699'996'400'990; // set an hour back, to just before a second
        f.timer->elapse();
        QCOMPARE(f.timer->interval(), 10 + SecondTicker::Slack);
    }

    // The ticker sleeps with nobody to pass, also when the last one leaves during its own pass.
    void aPassMayUnsubscribeItself()
    {
        Fixture f;
        QVERIFY(!f.ticker.isRunning());
        int id = 0;
        int passes = 0;
        id = f.ticker.subscribe([&] {
            ++passes;
            f.ticker.unsubscribe(id);
        });
        QCOMPARE(f.timer->interval(), 750 + SecondTicker::Slack);
        f.timer->elapse();
        f.timer->elapse();
        QCOMPARE(passes, 1);
        QVERIFY(!f.ticker.isRunning());
    }
};

QTEST_GUILESS_MAIN(TestSecondTicker)
#include "tst_secondticker.moc"
