#include "clocks/vrimcolor/VrimcolorClock.h"
#include "support/ClockRig.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

class TestVrimcolorClock : public QObject {
    Q_OBJECT

    struct Fixture : ClockRig<VrimcolorClock> {
        Fixture()
            : ClockRig(Design::Vrimcolor,
                       [](const ClockContext &context) { return std::make_unique<VrimcolorClock>(context); })
        {}
        const VrimcolorFace &face() const { return clock.vrimcolorFace(); }
        ColourValue lamp() const { return clock.buttonColour(vrimcolor::control::Move); }
        void drag()
        {
            clock.frame().pressMoveHandle();
            ops.endDrag();
        }
    };

private Q_SLOTS:
    void opensWithTheLampAndTheFigureOfTheHour()
    {
        Fixture f;
        f.time.now = QStringLiteral("13:00:10");
        f.clock.load();
        QCOMPARE(f.lamp(), VrimcolorFace::Afternoon);
        QCOMPARE(f.face().lineColour(QStringLiteral("Line15")), VrimcolorFace::Red);
        QCOMPARE(f.clock.buttonColour(vrimcolor::control::OnTop), rgbValue(192, 255, 120));
        QCOMPARE(f.ops.log, QStringList{"on top"});
        QCOMPARE(f.clock.pictures(), QStringList{f.folder.file("Skins/Quenz/hiven-3d.jpg")});
        QCOMPARE(f.player.log, QStringList{"prepare " + f.folder.file("Sounds/iauu.wav")});
        QVERIFY(f.clock.frame().soundMenu().soundOn);
    }

    // A drag ends with the clock's own refresh signal: the next tick reloads once, and with a
    // chime set the new sound is sampled; without one the sound goes off.
    void aMoveReloadsOnceAtTheNextTick_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<bool>("sampled");
        QTest::newRow("a chime set: close, prepare, Open, Play, Close") << "15 min" << true;
        QTest::newRow("no chime: close only, and Sound Off") << "No chime" << false;
    }
    void aMoveReloadsOnceAtTheNextTick()
    {
        QFETCH(QString, interval);
        QFETCH(bool, sampled);
        Fixture f;
        f.time.now = QStringLiteral("10:20:30");
        f.clock.load();
        f.clock.tick();
        const QString sound = f.folder.file("Sounds/chosen.wav");
        QVERIFY(f.store.writeSound(Design::Vrimcolor, {sound, interval}).ok());
        f.player.log.clear();
        const int loads = f.pictureLoads.count();

        f.drag();
        QCOMPARE(f.player.log, QStringList{}); // nothing until the next tick
        f.time.now = QStringLiteral("10:20:31");
        f.clock.tick();
        const QStringList expected =
            sampled ? QStringList{"close", "prepare " + sound, "Open", "Play", "Close", "prepare " + sound}
                    : QStringList{"close"};
        QCOMPARE(f.player.log, expected);
        QCOMPARE(f.pictureLoads.count(), loads + 1);
        QCOMPARE(f.clock.chime(), interval);
        QCOMPARE(f.clock.frame().soundMenu().soundOn, sampled);

        f.time.now = QStringLiteral("10:20:32");
        f.clock.tick();
        QCOMPARE(f.player.log, expected);
        QCOMPARE(f.pictureLoads.count(), loads + 1);
    }

    // What a tick leaves is what one more pass in the same second would show.
    void aTickAcrossTheHourShowsTheSettledFigure()
    {
        Fixture f;
        f.time.now = QStringLiteral("11:59:59");
        f.clock.load();
        QCOMPARE(f.face().lineColour(QStringLiteral("Line15")), VrimcolorFace::Red);
        // The pass's seconds still read 59, its hour already 12.
        f.time.script = {"11:59:59", "11:59:59", "11:59:59", "12:00:00"};
        f.time.now = QStringLiteral("12:00:00");
        f.clock.tick();
        QCOMPARE(f.face().lineColour(QStringLiteral("Line15")), VrimcolorFace::Black);
        QCOMPARE(f.face().lineColour(QStringLiteral("Line13")), VrimcolorFace::Red);
        QCOMPARE(f.face().lineInSquare(QStringLiteral("Line13")), QLine(30, 0, 30, 390));
        QCOMPARE(f.face().barValue(VrimcolorFace::Seconds), 0);
        QCOMPARE(f.face().barValue(VrimcolorFace::MinuteUnits), 0);
        QCOMPARE(f.lamp(), VrimcolorFace::Morning);
    }
};

QTEST_MAIN(TestVrimcolorClock)
#include "tst_vrimcolorclock.moc"
