#include "clocks/dov/DovClock.h"
#include "support/ClockRig.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

class TestDovClock : public QObject {
    Q_OBJECT

    struct Fixture : ClockRig<DovClock> {
        Fixture()
            : ClockRig(Design::Dov,
                       [](const ClockContext &context) { return std::make_unique<DovClock>(context); })
        {}
    };

private Q_SLOTS:
    void loadReadsSettingsPreparesAndOpens()
    {
        Fixture f;
        f.clock.load();
        QCOMPARE(f.clock.chime(), QStringLiteral("5 min"));
        QCOMPARE(f.clock.pictures(), QStringList{f.folder.file("Skins/Vrim/blui-3d.jpg")});
        QCOMPARE(f.player.log, (QStringList{"prepare " + f.folder.file("Sounds/bzz.wav"), "Open"}));
        QVERIFY(f.clock.frame().soundMenu().soundOn);
        QCOMPARE(f.ops.log, QStringList{"on top"});
        QCOMPARE(f.clock.buttonColour(dov::control::Move), frame::LightGreen);  // Move
        QCOMPARE(f.clock.buttonColour(dov::control::OnTop), frame::LightGreen); // onTop
        QCOMPARE(f.clock.dovFace().bar(8), DovFace::Lit);                       // 9 o'clock, at once
        QCOMPARE(f.pictureLoads.count(), 1);
        QVERIFY(f.problems.isEmpty());
    }

    void chimesThroughTheDueMinuteOnce()
    {
        Fixture f;
        f.clock.load();
        f.player.log.clear();
        for (const char *time : {"09:04:59", "09:05:00", "09:05:01", "09:05:30"}) {
            f.time.now = QString::fromLatin1(time);
            f.clock.tick();
        }
        QCOMPARE(f.player.log, (QStringList{"Open", "Play"}));
    }

    void loadRunsTheChimeTest()
    {
        Fixture f;
        f.time.now = QStringLiteral("09:05:30"); // opened inside a due minute
        f.clock.load();
        QCOMPARE(f.player.log.mid(1), (QStringList{"Open", "Open", "Play"}));
    }

    // A pass, a reset or a reload is shown only once the face has settled: with one pass a
    // second, a state the next pass overwrites would otherwise stay on screen for a second.
    void whatIsShownHasSettled_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("litHour"); // 0: none
        QTest::addColumn<ColourValue>("elevenBar");
        QTest::addColumn<ColourValue>("twelveBar");
        const ColourValue face = rgbValue(240, 240, 240);
        // clang-format off
        QTest::newRow("opened at 11:30, no bar lit") << "" << "11:30:00" << "load" << 0 << DovFace::Dim << face;
        QTest::newRow("the pass at 11:00") << "10:59:59" << "11:00:00" << "tick" << 0 << DovFace::Dim << face;
        QTest::newRow("the pass at midnight") << "23:59:59" << "00:00:00" << "tick" << 12 << DovFace::Dim << DovFace::Lit;
        QTest::newRow("opened at midnight") << "" << "00:00:00" << "load" << 12 << DovFace::Dim << DovFace::Lit;
        QTest::newRow("the pass at 13:00") << "12:59:59" << "13:00:00" << "tick" << 1 << DovFace::Dim << DovFace::Dim;
        QTest::newRow("a drag ending at 11:30") << "11:29:59" << "11:30:00" << "drag" << 0 << DovFace::Dim << face;
        QTest::newRow("an on-top toggle at 11:30") << "11:29:59" << "11:30:00" << "toggle" << 0 << DovFace::Dim << face;
        QTest::newRow("a reload at 11:30") << "11:29:59" << "11:30:00" << "reload" << 0 << DovFace::Dim << face;
        // clang-format on
    }
    void whatIsShownHasSettled()
    {
        QFETCH(QString, before);
        QFETCH(QString, at);
        QFETCH(QString, how);
        QFETCH(int, litHour);
        QFETCH(ColourValue, elevenBar);
        QFETCH(ColourValue, twelveBar);
        Fixture f;
        if (!before.isEmpty()) {
            f.time.now = before;
            f.clock.load();
        }
        f.time.now = at;
        if (how == u"load") {
            f.clock.load();
        } else if (how == u"tick") {
            f.clock.tick();
        } else if (how == u"drag") {
            f.clock.frame().pressMoveHandle();
            f.ops.endDrag();
        } else if (how == u"toggle") {
            f.clock.frame().pressOnTopButton();
        } else {
            f.clock.refresh().raise();
            f.clock.tick();
        }
        // Nothing further happens in this second: one more pass must change nothing on screen.
        const DovFace shown = f.clock.dovFace();
        for (int hour = 1; hour <= 10; ++hour)
            QCOMPARE(shown.bar(hour - 1) == DovFace::Lit, hour == litHour);
        QCOMPARE(shown.bar(10), elevenBar);
        QCOMPARE(shown.bar(11), twelveBar);
        f.clock.tick();
        QVERIFY2(f.clock.dovFace().controls() == shown.controls(),
                 "the next pass in the same second changed the face");
    }
};

QTEST_GUILESS_MAIN(TestDovClock)
#include "tst_dovclock.moc"
