#include "base/WindowNames.h"
#include "clocks/Clock.h"
#include "clocks/Designs.h"
#include "clocks/lumbo/LumboClock.h"
#include "clocks/norvi/NorviControls.h"
#include "platform/TimeSource.h"
#include "support/ClockRig.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

// The smallest skinned design: one lamp that shows the seconds' units digit, and a reset that
// counts itself. It takes the lifecycle of whichever design's row it is given.
class TestClock final : public Clock {
public:
    TestClock(Design design, const ClockContext &context)
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

// What a window shows, control by control, with the pictures and the frame buttons' colours:
// one line each, so that a difference names what differs.
QStringList shown(const Clock &clock, const QStringList &kept)
{
    QStringList lines;
    for (const FaceControl &control : clock.face().controls()) {
        if (kept.contains(control.name))
            continue;
        lines << QStringLiteral("%1 fill %2 outline %3 %4 '%5' picture %6 at %7,%8 %9")
                     .arg(control.name,
                          control.fill ? QString::number(*control.fill, 16) : QStringLiteral("-"),
                          control.outline ? QString::number(*control.outline, 16) : QStringLiteral("-"),
                          control.visible ? QStringLiteral("shown") : QStringLiteral("hidden"), control.text)
                     .arg(control.picture)
                     .arg(control.twips.left())
                     .arg(control.exactTop ? double(*control.exactTop) : double(control.twips.top()))
                     .arg(control.tip);
    }
    for (const FrameButton &button : clock.buttons())
        lines << QStringLiteral("%1 colour %2").arg(button.name).arg(clock.buttonColour(button.name), 0, 16);
    lines << QStringLiteral("pictures ") + clock.pictures().join(u' ');
    return lines;
}

} // namespace

// What every skinned clock does the same way, tested once on a test design.
class TestClockBase : public QObject {
    Q_OBJECT

    struct Fixture : ClockRig<TestClock> {
        explicit Fixture(Design design = Design::Dov)
            : ClockRig(design, [design](const ClockContext &context) {
                return std::make_unique<TestClock>(design, context);
            })
        {}
    };

    TempProgramFolder m_shared; // default settings, for the clocks of every design

private Q_SLOTS:
    void initTestCase() { QVERIFY(SettingsStore(DataFolders(m_shared.path())).writeDefaults().ok()); }

    void severalRaisesGiveOneReload()
    {
        Fixture f;
        f.clock.load();
        f.clock.refresh().raise(); // Save, then each closing event of the dialog
        f.clock.refresh().raise();
        f.clock.tick();
        f.clock.tick();
        QCOMPARE(f.prepares(), 2); // load, one reload
        QCOMPARE(f.pictureLoads.count(), 2);
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
        QTest::addColumn<QString>("interval"); // saved before the reload
        // clang-format off
        QTest::newRow("Dov checks Sound On again") << Design::Dov << QStringList{"prepare"} << true << "5 min";
        QTest::newRow("Norvi leaves the marks") << Design::Norvi << QStringList{"prepare"} << false << "5 min";
        // The player forgets its file when closed: prepared again for the chimes to come.
        QTest::newRow("Quenz closes, then plays the new chime once") << Design::Quenz << QStringList{"Close", "prepare", "Open", "Play", "Close", "prepare"} << false << "5 min";
        QTest::newRow("Vrimcolor likewise, closing in lower case") << Design::Vrimcolor << QStringList{"close", "prepare", "Open", "Play", "Close", "prepare"} << false << "15 min";
        QTest::newRow("Vrimcolor without a chime: closes only") << Design::Vrimcolor << QStringList{"close"} << false << "No chime";
        // clang-format on
    }
    void reloadsDifferByDesign()
    {
        QFETCH(Design, design);
        QFETCH(QStringList, sent);
        QFETCH(bool, soundOnAfter);
        QFETCH(QString, interval);
        Fixture f(design);
        f.clock.load();
        f.clock.tick(); // Quenz reads everything in its first pass
        QVERIFY(f.store.writeSound(design, {QStringLiteral("/x/chosen.wav"), interval}).ok());
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
        QSignalSpy shown(&dov.clock, &Clock::faceChanged);
        dov.clock.frame().pressMoveHandle();
        dov.ops.endDrag();
        dov.clock.frame().pressOnTopButton();
        QCOMPARE(dov.clock.resets, 2);
        QCOMPARE(shown.count(), 2);

        Fixture vrimcolor(Design::Vrimcolor); // its own refresh after a drag, nothing after a toggle
        vrimcolor.clock.load();
        vrimcolor.clock.frame().pressMoveHandle();
        vrimcolor.ops.endDrag();
        vrimcolor.clock.frame().pressOnTopButton();
        QCOMPARE(vrimcolor.clock.resets, 0);
        QCOMPARE(vrimcolor.clock.refresh().carrier(), RefreshSignal::raisedText());
    }

    // Faces whose rules change only what a turn changes (the new hour at hh:00:00, the minute
    // columns at second 00) would go on showing the time before the clock was set, or show two
    // hours at once. A pass after a jump draws the face as a window opened at that time would.
    void aJumpShowsTheFaceOfAWindowOpenedThen_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("kept"); // controls the design keeps on purpose

        const struct {
            const char *name;
            const char *from;
            const char *to;
        } jumps[] = {
            {"back an hour", "11:00:12", "10:00:10"},
            {"forward several hours", "11:00:12", "15:31:20"},
            {"forward across noon", "11:58:40", "12:03:05"},
            {"back across noon", "13:00:07", "11:59:02"},
            {"forward across midnight", "23:40:12", "00:20:13"},
            {"back across midnight", "00:00:20", "23:59:50"},
            {"summer time begins", "01:59:57", "03:00:03"},
            {"summer time begins on the hour", "01:59:59", "03:00:00"},
            {"a resume a few minutes on", "10:00:00", "10:05:03"},
        };
        for (const Design design : AllDesigns) {
            // Norvi's afternoon indicator tells the half of the day the window was opened in.
            const QStringList kept =
                design == Design::Norvi ? QStringList{norvi::control::Indicator} : QStringList{};
            for (const auto &jump : jumps)
                QTest::addRow("%s, %s", qPrintable(designName(design)), jump.name)
                    << design << QString::fromLatin1(jump.from) << QString::fromLatin1(jump.to) << kept;
        }
    }
    void aJumpShowsTheFaceOfAWindowOpenedThen()
    {
        QFETCH(Design, design);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, kept);

        DesignRig fresh(design, m_shared.path());
        fresh.time.now = to;
        fresh.clock->load();
        fresh.clock->tick(); // Quenz draws its face in its first pass

        DesignRig jumped(design, m_shared.path());
        jumped.time.now = DesignRig::secondsLater(from, -3);
        jumped.clock->load();
        for (int s = -3; s <= 0; ++s) {
            jumped.time.now = DesignRig::secondsLater(from, s);
            jumped.clock->tick();
        }
        jumped.time.now = to;
        jumped.clock->tick();
        QCOMPARE(shown(*jumped.clock, kept), shown(*fresh.clock, kept));
    }

    // Passes a second or two apart, the same second twice, and midnight are no jumps: the face
    // keeps what its rules painted.
    void passesInStepAreNoJumps_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::newRow("a second a pass") << QStringList{"10:00:00", "10:00:01", "10:00:02"};
        QTest::newRow("the same second twice") << QStringList{"10:00:00", "10:00:00"};
        QTest::newRow("a pass late") << QStringList{"10:00:00", "10:00:02"};
        QTest::newRow("midnight") << QStringList{"23:59:58", "23:59:59", "00:00:00", "00:00:01"};
    }
    void passesInStepAreNoJumps()
    {
        QFETCH(QStringList, times);
        Fixture f;
        f.time.now = times.first();
        f.clock.load();
        for (const QString &time : times) {
            f.time.now = time;
            f.clock.tick();
        }
        QCOMPARE(f.clock.resets, 0);
        QCOMPARE(f.clock.freshFaces, 0);
        f.time.now = DesignRig::secondsLater(times.last(), 3);
        f.clock.tick();
        QCOMPARE(f.clock.freshFaces, 1);
    }
    // What a design's clock reads and sends at its load (and, for Quenz, its first pass).
    void loadReadsWhatTheCardNames_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QStringList>("times"); // the load, then passes
        QTest::addColumn<QStringList>("pictures");
        QTest::addColumn<int>("pictureLoads");
        QTest::addColumn<QStringList>("sent");
        // clang-format off
        QTest::newRow("Dov prepares and opens") << Design::Dov << QStringList{"09:04:58"} << QStringList{"Skins/Vrim/blui-3d.jpg"} << 1 << QStringList{"prepare Sounds/bzz.wav", "Open"};
        QTest::newRow("Vrimcolor's skin lies with Quenz's") << Design::Vrimcolor << QStringList{"13:00:10"} << QStringList{"Skins/Quenz/hiven-3d.jpg"} << 1 << QStringList{"prepare Sounds/iauu.wav"};
        QTest::newRow("Quenz waits for its first pass") << Design::Quenz << QStringList{"10:20:07"} << QStringList{} << 0 << QStringList{"prepare Sounds/iauu.wav"};
        QTest::newRow("Quenz's first pass reads everything") << Design::Quenz << QStringList{"10:20:07", "10:20:08"} << QStringList{"Skins/Quenz/dunga-3d.jpg"} << 1 << QStringList{"prepare Sounds/iauu.wav", "Close", "prepare Sounds/iauu.wav", "Open", "Play", "Close", "prepare Sounds/iauu.wav"};
        QTest::newRow("Perrin's picture of the hour, read again only on the hour") << Design::Perrin << QStringList{"12:59:58", "12:59:59", "13:00:00", "13:00:00"} << QStringList{":/perrin/hour-13.png"} << 2 << QStringList{};
        // clang-format on
    }
    void loadReadsWhatTheCardNames()
    {
        QFETCH(Design, design);
        QFETCH(QStringList, times);
        QFETCH(QStringList, pictures);
        QFETCH(int, pictureLoads);
        QFETCH(QStringList, sent);
        ClockRig<Clock> f(design,
                          [design](const ClockContext &context) { return cardOf(design).make(context); });
        for (const QString &time : times) {
            f.time.now = time;
            &time == &times.front() ? f.clock.load() : f.clock.tick();
        }
        const QString folder = f.folder.path() + u'/';
        QCOMPARE(QStringList(f.clock.pictures()).replaceInStrings(folder, QString()), pictures);
        QCOMPARE(f.pictureLoads.count(), pictureLoads);
        QCOMPARE(f.player.log.replaceInStrings(folder, QString()), sent);
        QVERIFY(f.clock.frame().soundMenu().soundOn || design == Design::Perrin);
        QCOMPARE(f.ops.log, QStringList{"on top"});
        QVERIFY(f.problems.isEmpty());
    }

    // Each design's chime: Dov's load runs the chime test (and opens the player); Quenz chimes
    // from its load; Lumbo's own file switches its hourly chime on (1), off (0) or prepares
    // the player without ever chiming (2).
    void chimes_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QByteArray>("lumbi");
        QTest::addColumn<QStringList>("times"); // the load, then passes
        QTest::addColumn<QStringList>("sent");  // prepares' paths left out
        const QStringList lumboDay{"09:59:58", "09:59:59", "10:00:00", "10:00:00", "10:00:01", "10:30:00"};
        const QStringList prepare6(6, "prepare");
        // clang-format off
        QTest::newRow("Dov through the due minute, once") << Design::Dov << QByteArray() << QStringList{"09:04:58", "09:04:59", "09:05:00", "09:05:01", "09:05:30"} << QStringList{"prepare", "Open", "Open", "Play"};
        QTest::newRow("Dov opened inside a due minute") << Design::Dov << QByteArray() << QStringList{"09:05:30"} << QStringList{"prepare", "Open", "Open", "Play"};
        QTest::newRow("Quenz from its load") << Design::Quenz << QByteArray() << QStringList{"09:04:58", "09:04:59", "09:05:00"} << QStringList{"prepare", "Close", "prepare", "Open", "Play", "Close", "prepare", "Open", "Play"};
        QTest::newRow("Lumbo switch 1: once, in the pass of hh:00:00") << Design::Lumbo << QByteArray(" 1 \r\n 2 \r\n 0 \r\n 1 \r\n") << lumboDay << QStringList{"prepare", "prepare", "prepare", "Open", "Play", "prepare", "prepare", "prepare"};
        QTest::newRow("Lumbo switch 0: never prepared") << Design::Lumbo << QByteArray(" 1 \r\n 2 \r\n 0 \r\n 0 \r\n") << lumboDay << QStringList{};
        QTest::newRow("Lumbo switch 2: prepared, never chimes") << Design::Lumbo << QByteArray(" 1 \r\n 2 \r\n 0 \r\n 2 \r\n") << lumboDay << prepare6;
        // clang-format on
    }
    void chimes()
    {
        QFETCH(Design, design);
        QFETCH(QByteArray, lumbi);
        QFETCH(QStringList, times);
        QFETCH(QStringList, sent);
        ClockRig<Clock> f(design,
                          [design](const ClockContext &context) { return cardOf(design).make(context); });
        if (!lumbi.isEmpty())
            TempProgramFolder::write(f.folder.file("Settings/lumbi.prf"), lumbi);
        for (const QString &time : times) {
            f.time.now = time;
            &time == &times.front() ? f.clock.load() : f.clock.tick();
        }
        for (QString &word : f.player.log)
            if (word.startsWith(QStringLiteral("prepare ")))
                word = QStringLiteral("prepare");
        QCOMPARE(f.player.log, sent);
    }

    // Lumbo keeps its look in a file of its own: a damaged or missing one gives the defaults
    // and one message, and is left as it was.
    void lumboReadsItsOwnFile_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<ColourValue>("frame");
        QTest::addColumn<ColourValue>("window"); // with the stored look
        QTest::addColumn<int>("problems");
        // clang-format off
        QTest::newRow("the stored look") << QByteArray(" 255 \r\n 16711680 \r\n 1 \r\n 0 \r\n") << rgbValue(255, 0, 0) << rgbValue(0, 0, 255) << 0;
        QTest::newRow("a word for a colour") << QByteArray(" 255 \r\n blue \r\n 1 \r\n 0 \r\n") << ColourValue(0x644E24) << ColourValue(0) << 1;
        QTest::newRow("two lines of four") << QByteArray(" 255 \r\n 0 \r\n") << ColourValue(0x644E24) << ColourValue(0) << 1;
        QTest::newRow("missing") << QByteArray() << ColourValue(0x644E24) << ColourValue(0) << 1;
        // clang-format on
    }
    void lumboReadsItsOwnFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(ColourValue, frame);
        QFETCH(ColourValue, window);
        QFETCH(int, problems);
        ClockRig<LumboClock> f(
            Design::Lumbo, [](const ClockContext &context) { return std::make_unique<LumboClock>(context); });
        const QString lumbi = f.folder.file("Settings/lumbi.prf");
        if (bytes.isEmpty())
            QVERIFY(QFile::remove(lumbi));
        else
            TempProgramFolder::write(lumbi, bytes);
        f.time.now = QStringLiteral("10:00:00");
        f.clock.load();
        f.time.now = QStringLiteral("10:00:01");
        f.clock.tick();
        QCOMPARE(f.problems.size(), problems);
        if (problems)
            QVERIFY2(f.problems.first().contains("lumbi.prf"), qPrintable(f.problems.first()));
        if (problems)
            QCOMPARE(f.clock.settings(), SettingsStore::defaultLumbo());
        const LumboFace &face = f.clock.lumboFace();
        QCOMPARE(f.clock.face()[face.frame()].fill, frame);
        if (!problems) { // its border switched on
            QCOMPARE(f.clock.face()[face.window()].fill, window);
            QCOMPARE(f.clock.face()[face.frame()].outline, LumboFace::BorderInk);
        }
        QCOMPARE(TempProgramFolder::read(lumbi), bytes);        // left as it was
        QCOMPARE(f.player.log.count("Play"), problems ? 1 : 0); // the defaults' switch is on
    }
};

QTEST_GUILESS_MAIN(TestClockBase)
#include "tst_clock.moc"
