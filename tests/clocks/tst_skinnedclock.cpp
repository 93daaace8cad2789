#include "base/WindowNames.h"
#include "clocks/SkinnedClock.h"
#include "platform/TimeSource.h"
#include "support/ClockRig.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

// The smallest skinned design: one lamp that shows the seconds' units digit, and a reset that
// counts itself. It takes the lifecycle of whichever design's row it is given.
class TestClock final : public SkinnedClock {
public:
    TestClock(Design design, const ClockContext &context)
        : SkinnedClock(design, context)
    {
        m_face.add({.name = QStringLiteral("Lamp"), .twips = {0, 0, 150, 150}, .fill = 0});
    }
    const Face &face() const override { return m_face; }
    std::vector<FrameButton> buttons() const override { return {}; }
    int resets = 0;

protected:
    void passFace() override { m_face[0].fill = ColourValue(time().timeText().right(1).toInt()); }
    void resetFace() override
    {
        ++resets;
        passFace();
    }

private:
    Face m_face;
};

} // namespace

// What every skinned clock does the same way, tested once on a test design.
class TestSkinnedClock : public QObject {
    Q_OBJECT

    struct Fixture : ClockRig<TestClock> {
        explicit Fixture(Design design = Design::Dov)
            : ClockRig(design, [design](const ClockContext &context) {
                return std::make_unique<TestClock>(design, context);
            })
        {}
    };

private Q_SLOTS:
    void severalRaisesGiveOneReload()
    {
        Fixture f;
        f.clock.load();
        f.clock.refresh().raise(); // Save, then each closing event of the dialog
        f.clock.refresh().raise();
        f.clock.tick();
        f.clock.tick();
        QCOMPARE(f.prepares(), 2); // load, one reload
        QCOMPARE(f.pictureLoads, 2);
        QCOMPARE(f.clock.refresh().carrier(), QString());
    }

    void reloadTakesNewValuesAndNoChimeSilences()
    {
        Fixture f;
        f.clock.load();
        QVERIFY(
            f.store.writeSound(Design::Dov, {QStringLiteral("/x/new.wav"), QStringLiteral("No chime")}).ok());
        QVERIFY(f.store.writeSkin(Design::Dov, {QStringLiteral("/x/new.jpg"), {}}).ok());
        f.clock.refresh().raise();
        f.clock.tick();
        QCOMPARE(f.clock.pictures(), QStringList{"/x/new.jpg"});
        QVERIFY(!f.clock.frame().soundMenu().soundOn && f.clock.frame().soundMenu().soundOff);
        QCOMPARE(f.prepares(), 1); // "No chime": the player is not prepared again

        QVERIFY(
            f.store.writeSound(Design::Dov, {QStringLiteral("/x/new.wav"), QStringLiteral("1 hour")}).ok());
        f.clock.refresh().raise();
        f.clock.tick();
        QVERIFY(f.player.log.contains("prepare /x/new.wav"));
    }

    void reloadsDifferByDesign_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QStringList>("sent"); // by the reload, the prepare's path left out
        QTest::addColumn<bool>("soundOnAfter");
        QTest::newRow("Dov checks Sound On again") << Design::Dov << QStringList{"prepare"} << true;
        QTest::newRow("Norvi leaves the marks") << Design::Norvi << QStringList{"prepare"} << false;
        // The player forgets its file when closed: prepared again for the chimes to come.
        QTest::newRow("Quenz closes, then plays the new chime once")
            << Design::Quenz << QStringList{"Close", "prepare", "Open", "Play", "Close", "prepare"} << false;
        QTest::newRow("Vrimcolor likewise, closing in lower case")
            << Design::Vrimcolor << QStringList{"close", "prepare", "Open", "Play", "Close", "prepare"} << false;
    }
    void reloadsDifferByDesign()
    {
        QFETCH(Design, design);
        QFETCH(QStringList, sent);
        QFETCH(bool, soundOnAfter);
        Fixture f(design);
        f.clock.load();
        f.clock.tick(); // Quenz reads everything in its first pass
        f.clock.frame().chooseMenuItem(QStringLiteral("SoundOff"));
        f.player.log.clear();
        f.clock.refresh().raise();
        f.clock.tick();
        for (QString &word : f.player.log)
            if (word.startsWith(QStringLiteral("prepare ")))
                word = QStringLiteral("prepare");
        QCOMPARE(f.player.log, sent);
        QCOMPARE(f.clock.frame().soundMenu().soundOn, soundOnAfter);
    }

    // Quenz reads everything again in its first pass, but its chime is on from the load: with
    // the default "5 min" its first due second chimes.
    void quenzChimesFromItsLoad()
    {
        Fixture f(Design::Quenz);
        f.clock.load();
        QVERIFY(f.clock.frame().soundMenu().soundOn);
        f.clock.tick();
        f.player.log.clear();
        f.time.now = QStringLiteral("09:05:00");
        f.clock.tick();
        QCOMPARE(f.player.log, (QStringList{"Open", "Play"}));
    }

    void damagedSettingsAreReportedOnceAndNeverRewritten()
    {
        Fixture f;
        const QString sound = f.folder.file("Settings/Dovspref.prf");
        TempProgramFolder::write(sound, "/only/one/line.wav\r\n");
        f.clock.load();
        QCOMPARE(f.problems.size(), 1);
        QCOMPARE(f.clock.chime(), QStringLiteral("5 min")); // the default
        f.clock.tick();
        QCOMPARE(f.problems.size(), 1);
        QCOMPARE(TempProgramFolder::read(sound), QByteArray("/only/one/line.wav\r\n"));
    }

    void everyWayOutClosesThePlayer_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("the quit control") << "control";
        QTest::newRow("the Quit item") << "item";
        QTest::newRow("closed by the desktop") << "close";
    }
    void everyWayOutClosesThePlayer()
    {
        QFETCH(QString, how);
        Fixture f;
        f.clock.load();
        if (how == u"control")
            f.clock.frame().useQuitControl();
        else if (how == u"item")
            f.clock.frame().chooseMenuItem(QStringLiteral("Quit"));
        else
            f.registry.unload(window::Dov);
        QVERIFY(!f.registry.isLoaded(window::Dov));
        QCOMPARE(f.player.log.last(), QStringLiteral("Close"));
    }

    void aDragAndTheOnTopButtonResetWhereTheTableSays()
    {
        Fixture dov; // Dov: after both
        dov.clock.load();
        int shown = 0;
        dov.clock.onFaceChanged([&shown] { ++shown; });
        dov.clock.frame().pressMoveHandle();
        dov.ops.endDrag();
        dov.clock.frame().pressOnTopButton();
        QCOMPARE(dov.clock.resets, 2);
        QCOMPARE(shown, 2);

        Fixture vrimcolor(Design::Vrimcolor); // its own refresh after a drag, nothing after a toggle
        vrimcolor.clock.load();
        vrimcolor.clock.frame().pressMoveHandle();
        vrimcolor.ops.endDrag();
        vrimcolor.clock.frame().pressOnTopButton();
        QCOMPARE(vrimcolor.clock.resets, 0);
        QCOMPARE(vrimcolor.clock.refresh().carrier(), RefreshSignal::raisedText());
    }
};

QTEST_GUILESS_MAIN(TestSkinnedClock)
#include "tst_skinnedclock.moc"
