// The platform layer's logic: the second ticker and the move handles' gesture.
#include "platform/MoveGesture.h"
#include "platform/SecondTicker.h"
#include "support/FakePlatform.h"

#include <QtTest>

using namespace vrim;
using vrim::test::FakeTimer;

class TestPlatform : public QObject {
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

    // Every subscriber passes; the next wake is worked out from the time read then, so a clock
    // set back an hour never sleeps longer than a second.
    void everySubscriberPassesEachSecond()
    {
        Fixture f;
        int a = 0, b = 0;
        f.ticker.subscribe([&] { ++a; });
        f.ticker.subscribe([&] { ++b; });
        f.now = 1'699'996'400'990; // an hour back, just before a second
        f.timer->elapse();
        QCOMPARE(std::pair(a, b), std::pair(1, 1));
        QCOMPARE(f.timer->interval(), 10 + SecondTicker::Slack);
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
        QCOMPARE(std::pair(a, b), std::pair(1, 0));
        QCOMPARE(f.timer->interval(), 750 + SecondTicker::Slack); // back to the seconds
    }

    // The ticker sleeps with nobody to pass, also when the last one leaves during its own pass.
    void aPassMayUnsubscribeItself()
    {
        Fixture f;
        QVERIFY(!f.ticker.isRunning());
        int id = 0, passes = 0;
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

    // A press on a move handle: the window's move starts only past the drag distance, a press and
    // release in place is a click, and a moved window keeps the point it was grabbed by under the
    // pointer.
    void pressMoveRelease_data()
    {
        // Events: "press x y" (the window's top left is at 200,150 then), "move x y" with the
        // button held, "free x y" (a move with the button up), "release". What happens: the
        // window's place when its move starts ("move to x,y"), "click", "ended".
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("happens");
        // clang-format off
        QTest::newRow("press and release in place is a click") << QStringList{"press 220 160", "release"} << QStringList{"click"};
        QTest::newRow("a tremble within the drag distance is still a click") << QStringList{"press 220 160", "move 224 163", "move 217 158", "move 226 163", "release"} << QStringList{"click"};
        QTest::newRow("the drag distance starts the move, grabbed point under the pointer") << QStringList{"press 220 160", "move 226 164", "move 290 200", "release"} << QStringList{"move to 206,154", "ended"};
        QTest::newRow("the distance counts both ways together") << QStringList{"press 220 160", "move 215 165", "release"} << QStringList{"move to 195,155", "ended"};
        QTest::newRow("the move starts once") << QStringList{"press 220 160", "move 240 160", "move 260 160", "move 280 160", "release"} << QStringList{"move to 220,150", "ended"};
        QTest::newRow("a release that went elsewhere ends the press as a click") << QStringList{"press 220 160", "free 300 300", "move 400 400", "release"} << QStringList{"click"};
        QTest::newRow("a move or release without a press does nothing") << QStringList{"move 300 300", "release"} << QStringList{};
        QTest::newRow("a second press after a move starts afresh") << QStringList{"press 220 160", "move 260 160", "release", "press 240 160", "release"} << QStringList{"move to 240,150", "ended", "click"};
        // clang-format on
    }
    void pressMoveRelease()
    {
        QFETCH(QStringList, events);
        QFETCH(QStringList, happens);
        MoveGesture gesture(10);
        QStringList seen;
        const auto note = [&](MoveGesture::Step step, QPoint pointer) {
            if (step == MoveGesture::Step::StartMove) {
                const QPoint to = gesture.moveTo(pointer);
                seen << QStringLiteral("move to %1,%2").arg(to.x()).arg(to.y());
            } else if (step != MoveGesture::Step::None) {
                seen << (step == MoveGesture::Step::Click ? QStringLiteral("click")
                                                          : QStringLiteral("ended"));
            }
        };
        for (const QString &event : events) {
            const QStringList words = event.split(u' ');
            const QPoint at = words.size() == 3 ? QPoint(words[1].toInt(), words[2].toInt()) : QPoint();
            if (words[0] == u"press")
                gesture.press(at, QPoint(200, 150));
            else if (words[0] == u"move" || words[0] == u"free")
                note(gesture.move(at, words[0] == u"move"), at);
            else
                note(gesture.release(), at);
        }
        QCOMPARE(seen, happens);
        QVERIFY(!gesture.isPressed());
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
