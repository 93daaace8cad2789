#include "settings/ChimeRules.h"
#include "support/FakeTime.h"
#include "support/RecordingPlayer.h"

#include <QtTest>

using namespace vrim;
using vrim::test::FakeTime;
using vrim::test::RecordingPlayer;

class TestChime : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void intervals_data()
    {
        QTest::addColumn<QString>("chime");
        QTest::addColumn<QString>("dueMinutes");
        // clang-format off
        QTest::newRow("5 min") << "5 min" << "00 05 10 15 20 25 30 35 40 45 50 55";
        QTest::newRow("10 min") << "10 min" << "00 10 20 30 40 50";
        QTest::newRow("15 min") << "15 min" << "00 15 30 45";
        QTest::newRow("30 min") << "30 min" << "00 30";
        QTest::newRow("1 hour") << "1 hour" << "00";
        QTest::newRow("No chime") << "No chime" << "";
        QTest::newRow("letter case differs") << "5 Min" << "";
        QTest::newRow("unknown text") << "every hour" << "";
        // clang-format on
    }
    void intervals()
    {
        QFETCH(QString, chime);
        QFETCH(QString, dueMinutes);
        const QStringList due = dueMinutes.split(u' ', Qt::SkipEmptyParts);
        for (int minute = 0; minute < 60; ++minute) {
            const QString mm = QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0'));
            QVERIFY2(intervalMatches(chime, minute % 10, mm) == due.contains(mm), qPrintable(mm));
        }
    }

    void secondsRuleDiffersForDov_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<bool>("dov");
        QTest::addColumn<bool>("others");
        QTest::newRow("second 00") << "10:05:00" << true << true;
        QTest::newRow("later in the due minute") << "10:05:37" << true << false;
        QTest::newRow("minute not due") << "10:06:00" << false << false;
    }
    void secondsRuleDiffersForDov()
    {
        QFETCH(QString, time);
        QFETCH(bool, dov);
        QFETCH(bool, others);
        FakeTime clock;
        clock.now = time;
        SoundMenu menu;
        menu.setFromInterval(interval::FiveMinutes);
        QCOMPARE(chimeDue(interval::FiveMinutes, menu, clock, chime::of(Design::Dov), time.mid(4, 1).toInt()),
                 dov);
        QCOMPARE(chimeDue(interval::FiveMinutes, menu, clock, chime::of(Design::Jolvex)), others);
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

    void chimerSoundsOncePerDuePeriod()
    {
        FakeTime clock;
        RecordingPlayer player;
        SoundMenu menu;
        menu.chooseOn();
        Chimer dov(chime::of(Design::Dov));
        for (const char *time : {"10:04:59", "10:05:00", "10:05:00", "10:05:01", "10:05:59", "10:06:00"}) {
            clock.now = QString::fromLatin1(time);
            dov.pass(interval::FiveMinutes, menu, clock, player, clock.now.mid(4, 1).toInt());
        }
        QCOMPARE(player.log, (QStringList{"Open", "Play"}));
        clock.now = QStringLiteral("10:10:30");
        QVERIFY(dov.pass(interval::FiveMinutes, menu, clock, player, 0));

        RecordingPlayer norviPlayer;
        Chimer norvi(chime::of(Design::Norvi));
        for (const char *time : {"11:00:00", "11:00:00", "11:00:01"}) {
            clock.now = QString::fromLatin1(time);
            norvi.pass(interval::OneHour, menu, clock, norviPlayer);
        }
        QCOMPARE(norviPlayer.log, (QStringList{"Open", "play"}));
    }

    void theSameMinuteOnAnotherDayChimesAgain()
    {
        FakeTime clock;
        RecordingPlayer player;
        SoundMenu menu;
        menu.chooseOn();
        Chimer dov(chime::of(Design::Dov));
        const auto chimesAt = [&](const char *time) {
            clock.now = QString::fromLatin1(time);
            return dov.pass(interval::FiveMinutes, menu, clock, player, clock.now.mid(4, 1).toInt());
        };
        QVERIFY(chimesAt("10:05:00"));
        clock.today = clock.today.addDays(1); // the clock set forwards by a whole day
        QVERIFY(chimesAt("10:05:20"));
        // Set back by half a minute: the minute that has chimed does not chime again.
        QVERIFY(!chimesAt("10:04:50"));
        QVERIFY(!chimesAt("10:05:10"));
        QCOMPARE(player.log, (QStringList{"Open", "Play", "Open", "Play"}));

        Chimer norvi(chime::of(Design::Norvi));
        clock.now = QStringLiteral("11:00:00");
        QVERIFY(norvi.pass(interval::OneHour, menu, clock, player));
        clock.today = clock.today.addDays(-1); // and back again
        QVERIFY(norvi.pass(interval::OneHour, menu, clock, player));
        QVERIFY(!norvi.pass(interval::OneHour, menu, clock, player));
    }
};

QTEST_GUILESS_MAIN(TestChime)
#include "tst_chime.moc"
