#include "base/WindowNames.h"
#include "clocks/Clock.h"
#include "clocks/Designs.h"
#include "platform/TimeSource.h"
#include "support/ClockRig.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

// The smallest skinned design: one lamp that shows the seconds' units digit, and a reset that
// counts itself. It takes the lifecycle of whichever design's row it is given.
class LampClock final : public Clock {
public:
    LampClock(Design design, const ClockContext &context)
        : Clock(design, context)
    {
        m_face.add({.name = QStringLiteral("Lamp"), .twips = {0, 0, 150, 150}, .fill = 0});
    }
    const Face &face() const override { return m_face; }
    std::vector<FrameButton> buttons() const override { return {}; }
    int resets = 0;
    int freshFaces = 0;

protected:
    void passFace() override { m_face[0].fill = ColourValue(time().timeText().right(1).toInt()); }
    void resetFace() override
    {
        ++resets;
        passFace();
    }
    void freshFace() override { ++freshFaces; }

private:
    Face m_face;
};

} // namespace

// What every skinned clock does the same way, tested once on a test design, or as its card says.
class TestClockBase : public QObject {
    Q_OBJECT

    struct Fixture : ClockRig<LampClock> {
        explicit Fixture(Design design = Design::Dov)
            : ClockRig(design, {}, [design](const ClockContext &context) {
                return std::make_unique<LampClock>(design, context);
            })
        {}
    };

private Q_SLOTS:
    // What a reload sends to the player, and whether it checks Sound On again (the menu's Sound
    // Off chosen before it, the chime saved): the player forgets its file when closed, so Quenz
    // and Vrimcolor prepare it again after the sample; "No chime" prepares nothing.
    void reloadsDifferByDesign_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<bool>("soundOnAfter");
        const QString chosen = QStringLiteral("prepare /x/chosen.wav");
        // clang-format off
        QTest::newRow("Dov checks Sound On again") << Design::Dov << "5 min" << QStringList{chosen} << true;
        QTest::newRow("Dov without a chime") << Design::Dov << "No chime" << QStringList{} << false;
        QTest::newRow("Norvi leaves the marks") << Design::Norvi << "5 min" << QStringList{chosen} << false;
        QTest::newRow("Quenz closes, then plays the new chime once") << Design::Quenz << "5 min" << QStringList{"Close", chosen, "Open", "Play", "Close", chosen} << false;
        QTest::newRow("Vrimcolor likewise, closing in lower case") << Design::Vrimcolor << "15 min" << QStringList{"close", chosen, "Open", "Play", "Close", chosen} << false;
        QTest::newRow("Vrimcolor without a chime: closes only") << Design::Vrimcolor << "No chime" << QStringList{"close"} << false;
        // clang-format on
    }
    void reloadsDifferByDesign()
    {
        QFETCH(Design, design);
        QFETCH(QString, interval);
        QFETCH(QStringList, sent);
        QFETCH(bool, soundOnAfter);
        Fixture f(design);
        f.clock.load();
        f.clock.tick(); // Quenz reads everything in its first pass
        QVERIFY(f.store.writeSound(design, {QStringLiteral("/x/chosen.wav"), interval}).ok());
        f.clock.frame().chooseMenuItem(QStringLiteral("SoundOff"));
        f.player.log.clear();
        f.clock.refresh().raise();
        f.clock.tick();
        QCOMPARE(f.player.log, sent);
        QCOMPARE(f.clock.frame().soundMenu().soundOn, soundOnAfter);
    }

    // The frame's steps after a move and after the on-top button: Dov resets after both, once
    // the move has ended (once, however often its end is heard). Where nothing can keep a
    // window on top (Wayland) the button never says it is, and does nothing; a colour that is
    // neither ON nor OFF does nothing either. A chime played to its end is rewound for the next.
    void theFrameAfterAMoveAndTheOnTopButton()
    {
        Fixture wayland;
        wayland.ops.onTopPossible = false;
        wayland.clock.load();
        QCOMPARE(wayland.clock.frame().onTopColour(), frame::Red);
        wayland.clock.frame().pressOnTopButton();
        QCOMPARE(wayland.clock.frame().onTopColour(), frame::Red);
        QCOMPARE(wayland.ops.log, QStringList{});
        QCOMPARE(wayland.clock.resets, 0);

        Fixture dov;
        dov.clock.load();
        QSignalSpy shown(&dov.clock, &Clock::faceChanged);
        dov.clock.frame().pressMoveHandle();
        QCOMPARE(dov.clock.resets, 0);
        dov.ops.endDrag();
        dov.ops.endDrag();
        dov.clock.frame().pressOnTopButton();
        QCOMPARE(dov.clock.resets, 2);
        QCOMPARE(shown.count(), 2);
        dov.clock.frame().setOnTopColour(rgbValue(1, 2, 3));
        dov.clock.frame().pressOnTopButton();
        QCOMPARE(dov.clock.frame().onTopColour(), rgbValue(1, 2, 3));
        QCOMPARE(dov.clock.resets, 2);
        QCOMPARE(dov.ops.log, (QStringList{"on top", "drag", "released"}));
        dov.clock.frame().playerCompleted();
        QCOMPARE(dov.player.log.last(), QStringLiteral("Prev"));
    }

    // Passes a second or two apart, the same second twice, and midnight are no jumps: the face
    // keeps what its rules painted.
    void passesInStepAreNoJumps_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::newRow("a second a pass, then the same second twice")
            << QStringList{"10:00:00", "10:00:01", "10:00:01"};
        QTest::newRow("a pass late") << QStringList{"10:00:00", "10:00:02"};
        QTest::newRow("midnight") << QStringList{"23:59:58", "23:59:59", "00:00:00", "00:00:01"};
    }
    void passesInStepAreNoJumps()
    {
        QFETCH(QStringList, times);
        Fixture f;
        f.run(QStringList{times.first()} + times);
        QCOMPARE(f.clock.resets, 0);
        QCOMPARE(f.clock.freshFaces, 0);
        f.time.now = secondsLater(times.last(), 3);
        f.clock.tick();
        QCOMPARE(f.clock.freshFaces, 1);
    }
    // What a design's clock reads and sends from its load on: Dov's load runs the chime test (and
    // opens the player); Quenz reads everything, and chimes, from its first pass; Perrin reads
    // the picture of the hour again only on the hour; Lumbo's own file switches its hourly
    // chime on (1), off (0) or prepares the player without ever chiming (2), and a damaged or
    // missing one is said once and gives the defaults, whose chime is on.
    void fromTheLoadOn_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QByteArray>("lumbi");  // empty: as the first start wrote it
        QTest::addColumn<QStringList>("times"); // the load, then passes
        QTest::addColumn<QStringList>("pictures");
        QTest::addColumn<int>("pictureLoads");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<int>("problems");
        const QStringList lumboDay{"09:59:58", "09:59:59", "10:00:00", "10:00:00", "10:00:01", "10:30:00"};
        const QString bzz = QStringLiteral("prepare Sounds/bzz.wav"),
                      iauu = QStringLiteral("prepare Sounds/iauu.wav");
        // clang-format off
        QTest::newRow("Dov through the due minute, once") << Design::Dov << QByteArray() << QStringList{"09:04:58", "09:04:59", "09:05:00", "09:05:01", "09:05:30"} << QStringList{"Skins/Vrim/blui-3d.jpg"} << 1 << QStringList{bzz, "Open", "Open", "Play"} << 0;
        QTest::newRow("Dov opened inside a due minute") << Design::Dov << QByteArray() << QStringList{"09:05:30"} << QStringList{"Skins/Vrim/blui-3d.jpg"} << 1 << QStringList{bzz, "Open", "Open", "Play"} << 0;
        QTest::newRow("Vrimcolor's skin lies with Quenz's") << Design::Vrimcolor << QByteArray() << QStringList{"13:00:10"} << QStringList{"Skins/Quenz/hiven-3d.jpg"} << 1 << QStringList{iauu} << 0;
        QTest::newRow("Quenz waits for its first pass") << Design::Quenz << QByteArray() << QStringList{"10:20:07"} << QStringList{} << 0 << QStringList{iauu} << 0;
        QTest::newRow("Quenz's first pass reads everything and chimes") << Design::Quenz << QByteArray() << QStringList{"09:04:58", "09:04:59", "09:05:00"} << QStringList{"Skins/Quenz/dunga-3d.jpg"} << 1 << QStringList{iauu, "Close", iauu, "Open", "Play", "Close", iauu, "Open", "Play"} << 0;
        QTest::newRow("Perrin's picture of the hour, read again only on the hour") << Design::Perrin << QByteArray() << QStringList{"12:59:58", "12:59:59", "13:00:00", "13:00:00"} << QStringList{":/perrin/hour-13.png"} << 2 << QStringList{} << 0;
        QTest::newRow("Lumbo switch 1: once, in the pass of hh:00:00") << Design::Lumbo << QByteArray(" 1 \r\n 2 \r\n 0 \r\n 1 \r\n") << lumboDay << QStringList{} << 0 << QStringList{bzz, bzz, bzz, "Open", "Play", bzz, bzz, bzz} << 0;
        QTest::newRow("Lumbo switch 0: never prepared") << Design::Lumbo << QByteArray(" 1 \r\n 2 \r\n 0 \r\n 0 \r\n") << lumboDay << QStringList{} << 0 << QStringList{} << 0;
        QTest::newRow("Lumbo switch 2: prepared, never chimes") << Design::Lumbo << QByteArray(" 1 \r\n 2 \r\n 0 \r\n 2 \r\n") << lumboDay << QStringList{} << 0 << QStringList(6, bzz) << 0;
        QTest::newRow("Lumbo, a word for a colour: the defaults") << Design::Lumbo << QByteArray(" 255 \r\n blue \r\n 1 \r\n 0 \r\n") << lumboDay << QStringList{} << 0 << QStringList{bzz, bzz, bzz, "Open", "Play", bzz, bzz, bzz} << 1;
        QTest::newRow("Lumbo without its file: the defaults") << Design::Lumbo << QByteArray("missing") << lumboDay << QStringList{} << 0 << QStringList{bzz, bzz, bzz, "Open", "Play", bzz, bzz, bzz} << 1;
        // clang-format on
    }
    void fromTheLoadOn()
    {
        QFETCH(Design, design);
        QFETCH(QByteArray, lumbi);
        QFETCH(QStringList, times);
        QFETCH(QStringList, pictures);
        QFETCH(int, pictureLoads);
        QFETCH(QStringList, sent);
        QFETCH(int, problems);
        ClockRig<> f(design);
        if (lumbi == "missing")
            QVERIFY(QFile::remove(f.folder.file("Settings/lumbi.prf")));
        else if (!lumbi.isEmpty())
            TempProgramFolder::write(f.folder.file("Settings/lumbi.prf"), lumbi);
        f.run(times);
        const QString folder = f.folder.path() + u'/';
        QCOMPARE(QStringList(f.clock.pictures()).replaceInStrings(folder, QString()), pictures);
        QCOMPARE(f.pictureLoads.count(), pictureLoads);
        QCOMPARE(f.player.log.replaceInStrings(folder, QString()), sent);
        if (!cardOf(design).frame.menu.empty())
            QVERIFY(f.clock.frame().soundMenu().soundOn);
        QCOMPARE(f.ops.log, QStringList{"on top"});
        QCOMPARE(f.problems.size(), problems);
        QCOMPARE(f.problems.filter("lumbi.prf").size(), problems);
    }
};

QTEST_GUILESS_MAIN(TestClockBase)
#include "tst_clock.moc"
