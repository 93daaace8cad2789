#include "settings/ChimeRules.h"
#include "settings/Chimer.h"
#include "support/FakeTime.h"
#include "support/RecordingPlayer.h"

#include <QtTest>

using namespace vrim;
using vrim::test::FakeTime;
using vrim::test::RecordingPlayer;

class TestChime : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The minutes each interval chimes at; another spelling never chimes.
    void intervals()
    {
        const std::pair<QString, QString> due[] = {
            {"5 min", "00 05 10 15 20 25 30 35 40 45 50 55"},
            {"10 min", "00 10 20 30 40 50"},
            {"15 min", "00 15 30 45"},
            {"30 min", "00 30"},
            {"1 hour", "00"},
            {"No chime", ""},
            {"5 Min", ""},
        };
        for (const auto &[chime, minutes] : due)
            for (int minute = 0; minute < 60; ++minute) {
                const QString mm = QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0'));
                QVERIFY2(intervalMatches(chime, minute % 10, mm) == minutes.split(u' ').contains(mm),
                         qPrintable(chime + " at " + mm));
            }
    }

    void soundMenuGatesAndNoChimeForcesOff()
    {
        FakeTime clock;
        clock.now = QStringLiteral("10:00:00");
        SoundMenu menu;
        menu.setFromInterval(interval::OneHour);
        QVERIFY(menu.soundOn && !menu.soundOff);
        menu.chooseOff();
        QVERIFY(!chimeDue(interval::OneHour, menu, clock, chime::of(Design::Jolvex)));

        // Sound On chosen while the interval is "No chime": the next pass takes it back.
        menu.chooseOn();
        QVERIFY(!chimeDue(interval::NoChime, menu, clock, chime::of(Design::Jolvex)));
        QVERIFY(!menu.soundOn && menu.soundOff);

        // An unknown interval never chimes and leaves the marks alone.
        menu.chooseOn();
        QVERIFY(!chimeDue(QStringLiteral("5 Min"), menu, clock, chime::of(Design::Jolvex)));
        QVERIFY(menu.soundOn && !menu.soundOff);
    }

    void minutesComeFromTwoReadings()
    {
        // The tens from a reading before the minute turns, the units from one after.
        FakeTime clock;
        clock.script = {"10:29:59", "10:30:00"};
        SoundMenu menu;
        menu.chooseOn();
        QVERIFY(chimeDue(interval::TenMinutes, menu, clock, chime::of(Design::Dov), 0)); // "20"
    }

    // Passes as "HH:MM:SS@s", the time of day and the seconds on the clock that never jumps.
    void aDueTimeChimesEachTimeTheClockComesToIt_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QString>("chime");
        QTest::addColumn<QString>("passes");
        QTest::addColumn<QString>("chimed");
        // clang-format off
        QTest::newRow("set back an hour: the hour chimes again") << Design::Norvi << interval::OneHour << "10:00:00@0 10:20:00@1200 09:20:00@1201 09:59:59@3600 10:00:00@3601" << "10:00:00 10:00:00";
        QTest::newRow("Dov, set back an hour: its due minute chimes again, once") << Design::Dov << interval::OneHour << "10:00:00@0 10:00:20@20 10:20:00@1200 09:20:00@1201 09:59:59@3600 10:00:00@3601 10:00:30@3631" << "10:00:00 10:00:00";
        QTest::newRow("the hour that comes twice as summer time ends") << Design::Norvi << interval::OneHour << "02:00:00@0 02:30:00@1800 02:59:59@3599 02:00:00@3600 02:00:01@3601" << "02:00:00 02:00:00";
        QTest::newRow("Dov, the hour that comes twice") << Design::Dov << interval::OneHour << "02:00:00@0 02:00:01@1 02:59:59@3599 02:00:00@3600 02:00:01@3601" << "02:00:00 02:00:00";
        QTest::newRow("set back a few seconds over the due second: once") << Design::Norvi << interval::OneHour << "10:00:00@0 10:00:03@3 09:59:58@4 10:00:00@6 10:00:01@7" << "10:00:00";
        QTest::newRow("set back within a minute of real time: once") << Design::Norvi << interval::FiveMinutes << "10:05:00@0 10:05:40@40 10:04:59@41 10:05:00@42 10:05:01@43" << "10:05:00";
        QTest::newRow("Dov, set back a few seconds within its due minute: once") << Design::Dov << interval::OneHour << "10:00:00@0 10:00:50@50 10:00:40@51 10:00:59@70" << "10:00:00";
        QTest::newRow("Dov, late in its due minute") << Design::Dov << interval::FiveMinutes << "10:05:37@0" << "10:05:37";
        QTest::newRow("the others, late in the due minute") << Design::Jolvex << interval::FiveMinutes << "10:05:37@0" << "";
        QTest::newRow("Dov, a minute not due") << Design::Dov << interval::FiveMinutes << "10:06:00@0" << "";
        QTest::newRow("Dov, passes through its due minute: once") << Design::Dov << interval::FiveMinutes << "10:04:59@0 10:05:00@1 10:05:00@1 10:05:01@2 10:05:59@60 10:06:00@61" << "10:05:00";
        QTest::newRow("settle passes within the due second: once") << Design::Norvi << interval::OneHour << "11:00:00@0 11:00:00@0 11:00:00@0.5 11:00:01@1" << "11:00:00";
        QTest::newRow("the same time the next day") << Design::Dov << interval::FiveMinutes << "10:05:00@0 10:06:00@60 10:05:00@86400" << "10:05:00 10:05:00";
        // clang-format on
    }
    void aDueTimeChimesEachTimeTheClockComesToIt()
    {
        QFETCH(Design, design);
        QFETCH(QString, chime);
        QFETCH(QString, passes);
        QFETCH(QString, chimed);
        FakeTime clock;
        RecordingPlayer player;
        SoundMenu menu;
        menu.chooseOn();
        Chimer chimer(chime::of(design));
        QStringList sounded;
        for (const QString &pass : passes.split(u' ')) {
            clock.now = pass.section(u'@', 0, 0);
            clock.monoMs = qint64(pass.section(u'@', 1).toDouble() * 1000);
            const std::optional<int> units =
                design == Design::Dov ? std::optional(clock.now.mid(4, 1).toInt()) : std::nullopt;
            if (chimer.pass(chime, menu, clock, player, units))
                sounded << clock.now;
        }
        QCOMPARE(sounded.join(u' '), chimed);
        QStringList commands;
        for (qsizetype i = 0; i < sounded.size(); ++i)
            commands << QStringLiteral("Open") << chime::of(design).playWord;
        QCOMPARE(player.log, commands);
    }
};

QTEST_GUILESS_MAIN(TestChime)
#include "tst_chime.moc"
