#include "clocks/quenz/QuenzClock.h"
#include "support/ClockRig.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

constexpr ColourValue Unlit = rgbValue(240, 240, 240);
constexpr int None = -1;

QList<int> secondMarkers(const QuenzFace &face)
{
    QList<int> lit;
    for (int i = 0; i < 12; ++i)
        if (face.marker(i) == QuenzFace::Second)
            lit.append(i);
    return lit;
}

} // namespace

class TestQuenzClock : public QObject {
    Q_OBJECT

    struct Fixture : ClockRig<QuenzClock> {
        Fixture()
            : ClockRig(Design::Quenz,
                       [](const ClockContext &context) { return std::make_unique<QuenzClock>(context); })
        {}
        const QuenzFace &face() const { return clock.quenzFace(); }
    };

private Q_SLOTS:
    void greyUntilTheFirstTickLoadsEverything()
    {
        Fixture f;
        f.time.now = QStringLiteral("10:20:07");
        f.clock.load();
        QCOMPARE(f.pictureLoads.count(), 0);
        QCOMPARE(f.face().bar(2), QuenzFace::Grey);
        QCOMPARE(f.face().marker(9), QuenzFace::Grey);
        QCOMPARE(f.clock.buttonColour(quenz::control::OnTop), QuenzFace::DarkGrey); // on top
        QCOMPARE(f.ops.log, QStringList{"on top"});

        f.time.now = QStringLiteral("10:20:08");
        f.clock.tick();
        QCOMPARE(f.pictureLoads.count(), 1);
        QCOMPARE(f.clock.pictures(), QStringList{f.folder.file("Skins/Quenz/dunga-3d.jpg")});
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(f.face().bar(i), Unlit);
            QCOMPARE(f.face().marker(i), Unlit);
        }
    }

    // After every way the face is drawn, what is shown is what one more pass in the same second
    // shows, and no seconds marker stands for other seconds than the present ones.
    void whatIsShownIsSettledAndCurrent_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("lit");
        QTest::addColumn<ColourValue>("hourBar"); // the "10" bar
        const ColourValue blue = QuenzFace::Blue;
        // clang-format off
        QTest::newRow("a drag ending between fives clears until the next five") << "10:20:05" << "10:20:12" << "drag" << None << Unlit;
        QTest::newRow("a drag ending at a five draws again at once") << "10:20:05" << "10:20:15" << "drag" << 2 << blue;
        QTest::newRow("a click on the move strip") << "10:20:05" << "10:20:13" << "click" << None << Unlit;
        QTest::newRow("the button released on the move strip") << "10:20:15" << "10:20:20" << "up" << 3 << blue;
        QTest::newRow("a reload between fives") << "10:20:05" << "10:20:17" << "reload" << None << Unlit;
        QTest::newRow("a reload at a five") << "10:20:05" << "10:20:25" << "reload" << 4 << blue;
        QTest::newRow("the tick of the hourly clear") << "09:59:59" << "10:00:00" << "tick" << 11 << blue;
        QTest::newRow("a tick seven seconds on is drawn as at opening") << "10:20:05" << "10:20:12" << "tick" << None << Unlit;
        // clang-format on
    }
    void whatIsShownIsSettledAndCurrent()
    {
        QFETCH(QString, before);
        QFETCH(QString, at);
        QFETCH(QString, how);
        QFETCH(int, lit);
        QFETCH(ColourValue, hourBar);
        Fixture f;
        f.time.now = before;
        f.clock.load();
        f.clock.tick(); // the first tick's reload
        f.time.now = at;
        if (how == u"drag") {
            f.clock.frame().pressMoveHandle();
            f.ops.endDrag();
        } else if (how == u"click") {
            f.clock.buttonGesture(quenz::control::Move, Clock::Gesture::Click);
        } else if (how == u"up") {
            f.clock.buttonGesture(quenz::control::Move, Clock::Gesture::Up);
        } else if (how == u"reload") {
            f.clock.refresh().raise();
            f.clock.tick();
        } else {
            f.clock.tick();
        }
        QCOMPARE(secondMarkers(f.face()), lit == None ? QList<int>{} : QList<int>{lit});
        QCOMPARE(f.face().bar(9), hourBar);
        const QuenzFace shown = f.face();
        f.clock.tick();
        QVERIFY2(f.face() == shown, "the next pass in the same second changed the face");
        QVERIFY(f.clock.refresh().carrier().isEmpty());
    }

    void otherGesturesLeaveTheFaceAlone()
    {
        Fixture f;
        f.time.now = QStringLiteral("10:20:05");
        f.clock.load();
        f.clock.tick();
        const QuenzFace shown = f.face();
        f.time.now = QStringLiteral("10:20:07");
        for (const QString &strip : {quenz::control::OnTop, quenz::control::Preferences})
            for (auto gesture : {Clock::Gesture::Down, Clock::Gesture::Up,
                                 Clock::Gesture::Click, Clock::Gesture::DoubleClick})
                f.clock.buttonGesture(strip, gesture);
        f.clock.buttonGesture(quenz::control::Move, Clock::Gesture::Down); // the frame drags
        QVERIFY(f.face() == shown);
    }
};

QTEST_GUILESS_MAIN(TestQuenzClock)
#include "tst_quenzclock.moc"
