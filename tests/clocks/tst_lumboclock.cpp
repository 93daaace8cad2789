#include "clocks/lumbo/LumboClock.h"
#include "support/ClockRig.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

// The Lumbo clock's rules over scripted time, read back from its face: which lamps are lit
// ("h1 t3 u4 pm": hour button 1, tens square 3, units panel 4, the afternoon square).
class TestLumboClock : public QObject {
    Q_OBJECT

    struct Fixture : ClockRig<LumboClock> {
        Fixture()
            : ClockRig(Design::Lumbo,
                       [](const ClockContext &context) { return std::make_unique<LumboClock>(context); })
        {}
        QString lumbi() const { return folder.file("Settings/lumbi.prf"); }
        QString litAt(const char *now)
        {
            time.now = QString::fromLatin1(now);
            clock.tick();
            return clock.lumboFace().lit();
        }
        const FaceControl &control(int i) const { return clock.face()[i]; }
    };

private Q_SLOTS:
    void lampsOfTheTime_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("lit");
        // clang-format off
        QTest::newRow("00:30: hour 12, tens 3, morning") << "00:30:00" << "h12 t2 am";
        QTest::newRow("12:30: noon counts with the morning") << "12:30:00" << "h12 t2 am";
        QTest::newRow("13:05: hour 1, no tens, units 5, afternoon") << "13:05:00" << "h1 u4 pm";
        QTest::newRow("23:41: hour 11, tens 4, units 1") << "23:41:00" << "h11 t3 u0 pm";
        // clang-format on
    }
    void lampsOfTheTime()
    {
        QFETCH(QString, time);
        QFETCH(QString, lit);
        Fixture f;
        f.time.now = QStringLiteral("12:00:00");
        f.clock.load();
        QCOMPARE(f.litAt(qPrintable(time)), lit);
    }

    // The hour's last second, then the new hour: the tens square, the units panel and hour 10
    // all go out. A jump in time (a sleep, the clock set) leaves no lamp of the time before.
    void stepsAndJumps()
    {
        Fixture f;
        f.time.now = QStringLiteral("10:59:58");
        f.clock.load();
        QCOMPARE(f.litAt("10:59:59"), QStringLiteral("h10 t4 u8 am"));
        QCOMPARE(f.litAt("11:00:00"), QStringLiteral("h11 am"));
        QCOMPARE(f.litAt("10:12:00"), QStringLiteral("h10 t0 u1 am"));
        QCOMPARE(f.litAt("10:47:00"), QStringLiteral("h10 t3 u6 am"));
        QCOMPARE(f.litAt("15:47:00"), QStringLiteral("h3 t3 u6 pm"));
        QCOMPARE(f.litAt("10:12:00"), QStringLiteral("h10 t0 u1 am"));
    }

    void opensWithTheStoredLook()
    {
        Fixture f;
        TempProgramFolder::write(f.lumbi(), " 255 \r\n 16711680 \r\n 1 \r\n 0 \r\n");
        f.clock.load();
        const LumboFace &face = f.clock.lumboFace();
        QCOMPARE(f.control(face.frame()).fill, rgbValue(255, 0, 0));
        QCOMPARE(f.control(face.window()).fill, rgbValue(0, 0, 255));
        QCOMPARE(f.control(face.frame()).outline, LumboFace::BorderInk);
        QCOMPARE(f.clock.buttonColour(lumbo::control::OnTop), frame::LightGreen);
        QCOMPARE(f.clock.buttonColour(lumbo::control::Move), frame::LightGreen);
        QCOMPARE(f.clock.buttonColour(lumbo::control::Quit), rgbValue(255, 0, 0));
        QCOMPARE(f.clock.buttonColour(lumbo::control::Preferences), rgbValue(255, 128, 0));
        QCOMPARE(f.ops.log, QStringList{"on top"});
        QVERIFY(f.problems.isEmpty());
    }

    void aDamagedFileGivesTheDefaultsAndOneMessage_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::newRow("a word for a colour") << QByteArray(" 255 \r\n blue \r\n 1 \r\n 0 \r\n");
        QTest::newRow("two lines of four") << QByteArray(" 255 \r\n 0 \r\n");
        QTest::newRow("missing") << QByteArray();
    }
    void aDamagedFileGivesTheDefaultsAndOneMessage()
    {
        QFETCH(QByteArray, bytes);
        Fixture f;
        if (bytes.isEmpty())
            QVERIFY(QFile::remove(f.lumbi()));
        else
            TempProgramFolder::write(f.lumbi(), bytes);
        f.clock.load();
        f.litAt("10:00:00");
        f.litAt("10:00:01");
        QCOMPARE(f.problems.size(), 1);
        QVERIFY2(f.problems.first().contains("lumbi.prf"), qPrintable(f.problems.first()));
        QCOMPARE(f.clock.settings(), SettingsStore::defaultLumbo());
        QCOMPARE(f.control(f.clock.lumboFace().frame()).fill, ColourValue(0x644E24));
        QCOMPARE(TempProgramFolder::read(f.lumbi()), bytes); // left as it was
        QCOMPARE(f.player.log.count("Play"), 1);             // the defaults' switch is on
    }

    // Open and Play once in the second hh:00:00 with the switch at 1; with 0 the player is
    // never even prepared. A switch of 2 prepares it but never chimes.
    void theHourlyChime_data()
    {
        QTest::addColumn<int>("soundSwitch");
        QTest::addColumn<bool>("prepared");
        QTest::addColumn<bool>("chimed");
        QTest::newRow("switch 1: chimes once") << 1 << true << true;
        QTest::newRow("switch 0: the player is never prepared") << 0 << false << false;
        QTest::newRow("switch 2: prepared, never chimes") << 2 << true << false;
    }
    void theHourlyChime()
    {
        QFETCH(int, soundSwitch);
        QFETCH(bool, prepared);
        QFETCH(bool, chimed);
        Fixture f;
        TempProgramFolder::write(f.lumbi(),
                                 QStringLiteral(" 1 \r\n 2 \r\n 0 \r\n %1 \r\n").arg(soundSwitch).toLatin1());
        f.time.now = QStringLiteral("09:59:58");
        f.clock.load();
        for (const char *now : {"09:59:59", "10:00:00", "10:00:00", "10:00:01", "10:30:00"})
            f.litAt(now);
        const QString bzz = "prepare " + f.folder.file("Sounds/bzz.wav");
        QCOMPARE(f.player.log.count(bzz), prepared ? 6 : 0); // at load and every pass
        QCOMPARE(f.player.log.count("Open"), chimed ? 1 : 0);
        QCOMPARE(f.player.log.count("Play"), chimed ? 1 : 0);
        if (chimed)
            QCOMPARE(f.player.log.indexOf("Open"), 3); // in the pass of 10:00:00, after its prepare
    }
};

QTEST_MAIN(TestLumboClock)
#include "tst_lumboclock.moc"
