#include "clocks/norvi/NorviFace.h"
#include "support/FakeTime.h"

#include <QtTest>

using namespace vrim;
using vrim::test::FakeTime;

namespace {

constexpr ColourValue Unlit = rgbValue(240, 240, 240);
constexpr ColourValue Green = NorviFace::Green;
constexpr ColourValue Blue = NorviFace::Blue;
constexpr ColourValue Red = NorviFace::Red;
constexpr int XI = 11, XII = 0;

// The lamps of a part that show `colour`, bottom first.
template <typename Read>
QList<int> litCells(Read read, int from, int to, ColourValue colour)
{
    QList<int> cells;
    for (int k = from; k <= to; ++k)
        if (read(k) == colour)
            cells.append(k);
    return cells;
}

} // namespace

class TestNorviFace : public QObject {
    Q_OBJECT

    FakeTime m_time;

    // The window opens: its lamps for the time now, then its first pass.
    void openAt(NorviFace &face, const QString &time)
    {
        m_time.now = time;
        face.load(m_time);
        face.update(m_time);
    }
    void passAt(NorviFace &face, const QString &time)
    {
        m_time.now = time;
        face.update(m_time);
    }
    static QList<int> litHours(const NorviFace &face)
    {
        return litCells([&](int i) { return face.hourLamp(i); }, 0, 11, Green);
    }

private Q_SLOTS:
    void hourLamps_data()
    {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QStringList>("passes");
        QTest::addColumn<QList<int>>("lit"); // green hour lamps
        QTest::addColumn<ColourValue>("elevenLamp");
        // clang-format off
        QTest::newRow("noon lights XII and clears XI") << "11:59:58" << QStringList{"11:59:59", "12:00:00"} << QList<int>{XII} << Unlit;
        QTest::newRow("12:59 still XII") << "12:00:00" << QStringList{"12:59:59"} << QList<int>{XII} << Unlit;
        QTest::newRow("midnight lights XII and clears XI") << "23:59:58" << QStringList{"23:59:59", "00:00:00"} << QList<int>{XII} << Unlit;
        QTest::newRow("XI stays clear through the small hours") << "23:30:00" << QStringList{"00:00:00", "00:59:59"} << QList<int>{XII} << Unlit;
        QTest::newRow("13:00 lights I and clears XII") << "12:59:58" << QStringList{"12:59:59", "13:00:00"} << QList<int>{1} << Unlit;
        QTest::newRow("01:00 lights I and clears XII") << "00:59:59" << QStringList{"01:00:00"} << QList<int>{1} << Unlit;
        QTest::newRow("23:00 lights XI and clears X") << "22:59:59" << QStringList{"23:00:00"} << QList<int>{XI} << Green;
        QTest::newRow("opened at 23:00 lights XI alone") << "23:00:00" << QStringList{} << QList<int>{XI} << Green;
        // clang-format on
    }
    void hourLamps()
    {
        QFETCH(QString, opened);
        QFETCH(QStringList, passes);
        QFETCH(QList<int>, lit);
        QFETCH(ColourValue, elevenLamp);
        NorviFace face(Unlit);
        openAt(face, opened);
        for (const QString &time : passes)
            passAt(face, time);
        QCOMPARE(litHours(face), lit);
        QCOMPARE(face.hourLamp(XI), elevenLamp);
    }

    void midnightShowsOneHourAllMorning()
    {
        // Two hours at once from midnight to noon would be a plainly wrong display: midnight
        // clears "XI" as every other hour change clears the one before it.
        NorviFace face(Unlit);
        openAt(face, "23:10:00");
        passAt(face, "23:59:59");
        QCOMPARE(litHours(face), QList<int>{XI});
        for (int hour = 0; hour < 12; ++hour) {
            for (const char *within : {":00:00", ":00:01", ":59:59"}) {
                const QString time =
                    QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')) + QLatin1String(within);
                passAt(face, time);
                QVERIFY2(litHours(face) == QList<int>{hour}, qPrintable(time));
            }
        }
    }

    void minuteBars_data()
    {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("at");
        QTest::addColumn<QList<int>>("tens");  // blue tens cells
        QTest::addColumn<QList<int>>("units"); // blue units cells, 0 the hidden one
        // clang-format off
        QTest::newRow("opened at 10:35 shows both bars so far") << "10:35:12" << "10:35:13" << QList<int>{0, 1, 2} << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("the bars grow by one a minute") << "10:35:59" << "10:36:00" << QList<int>{0, 1, 2} << QList<int>{1, 2, 3, 4, 5, 6};
        QTest::newRow("xx:40 clears the units to the hidden cell") << "10:39:59" << "10:40:00" << QList<int>{0, 1, 2, 3} << QList<int>{0};
        QTest::newRow("xx:00 clears both bars, the hidden cell blue") << "10:59:59" << "11:00:00" << QList<int>{} << QList<int>{0};
        QTest::newRow("xx:01 lights units cell 1") << "11:00:59" << "11:01:00" << QList<int>{} << QList<int>{0, 1};
        QTest::newRow("opened at xx:00 lights only the hidden cell") << "11:00:00" << "11:00:01" << QList<int>{} << QList<int>{0};
        QTest::newRow("the top tens cell is never lit") << "10:59:30" << "10:59:31" << QList<int>{0, 1, 2, 3, 4} << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9};
        // clang-format on
    }
    void minuteBars()
    {
        QFETCH(QString, opened);
        QFETCH(QString, at);
        QFETCH(QList<int>, tens);
        QFETCH(QList<int>, units);
        NorviFace face(Unlit);
        openAt(face, opened);
        passAt(face, at);
        QCOMPARE(litCells([&](int k) { return face.minutesTens(k); }, 0, 5, Blue), tens);
        QCOMPARE(litCells([&](int k) { return face.minutesUnits(k); }, 0, 9, Blue), units);
        QVERIFY(!face.controls()[face.controlOf("Picture3(0)")].visible);
    }

    void afternoonIndicator_data()
    {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QStringList>("passes");
        QTest::addColumn<ColourValue>("indicator");
        const ColourValue pm = NorviFace::Afternoon, am = NorviFace::Morning;
        // clang-format off
        QTest::newRow("opened at 12:30: not yet afternoon") << "12:30:00" << QStringList{} << am;
        QTest::newRow("opened at 13:00: afternoon") << "13:00:00" << QStringList{} << pm;
        QTest::newRow("opened at 13:00, kept after midnight") << "13:00:00" << QStringList{"23:59:59", "00:00:00", "00:00:01"} << pm;
        QTest::newRow("opened at 00:30, kept in the afternoon") << "00:30:00" << QStringList{"13:00:00", "18:00:00"} << am;
        // clang-format on
    }
    void afternoonIndicator()
    {
        QFETCH(QString, opened);
        QFETCH(QStringList, passes);
        QFETCH(ColourValue, indicator);
        NorviFace face(Unlit);
        openAt(face, opened);
        for (const QString &time : passes)
            passAt(face, time);
        QCOMPARE(face.indicator(), indicator);
        QCOMPARE(face.afternoon(), indicator == NorviFace::Afternoon);
    }

    void secondsUnitsShowOneLampThatClimbsAndWraps()
    {
        NorviFace face(Unlit);
        openAt(face, "08:14:07");
        for (int s = 8; s < 60 + 13; ++s) {
            const QString time =
                QStringLiteral("08:%1:%2").arg(s < 60 ? 14 : 15).arg(s % 60, 2, 10, QLatin1Char('0'));
            passAt(face, time);
            QCOMPARE(litCells([&](int k) { return face.secondsUnits(k); }, 0, 9, Red), QList<int>{s % 10});
            QCOMPARE(litCells([&](int k) { return face.secondsTens(k); }, 0, 5, Red).size(), (s % 60) / 10);
        }
    }

    void aLatePassLeavesNoStaleSecond()
    {
        // Passes come once a second; one that comes late skips a second, whose lamp the rule
        // "clear the one before" would leave lit until the next ten.
        NorviFace face(Unlit);
        openAt(face, "08:14:27");
        passAt(face, "08:14:29");
        QCOMPARE(litCells([&](int k) { return face.secondsUnits(k); }, 0, 9, Red), QList<int>{9});
        passAt(face, "08:14:31");
        QCOMPARE(litCells([&](int k) { return face.secondsUnits(k); }, 0, 9, Red), QList<int>{1});
    }

    void secondsSwitchedOffAndOn()
    {
        NorviFace face(Unlit);
        openAt(face, "08:14:35");
        QCOMPARE(litCells([&](int k) { return face.secondsTens(k); }, 0, 5, Red), (QList<int>{0, 1, 2}));

        face.toggleSeconds(m_time); // off: lit lamps keep their colour until a pass repaints them
        QCOMPARE(face.secondsColour(), Unlit);
        QCOMPARE(face.secondsUnits(5), Red);
        passAt(face, "08:14:36");
        QCOMPARE(litCells([&](int k) { return face.secondsUnits(k); }, 0, 9, Red), QList<int>{});
        passAt(face, "08:14:40"); // every later second lamp is the button face
        QCOMPARE(face.secondsTens(3), Unlit);
        QCOMPARE(litCells([&](int k) { return face.secondsUnits(k); }, 0, 9, Red), QList<int>{});

        m_time.now = QStringLiteral("08:14:52");
        face.toggleSeconds(m_time); // on: the tens bar at once, the units lamp with the next pass
        QCOMPARE(face.secondsColour(), Red);
        QCOMPARE(litCells([&](int k) { return face.secondsTens(k); }, 0, 5, Red),
                 (QList<int>{0, 1, 2, 3, 4}));
        face.update(m_time);
        QCOMPARE(litCells([&](int k) { return face.secondsUnits(k); }, 0, 9, Red), QList<int>{2});
    }

    void afterDragLightsTheCurrentSecondRed()
    {
        NorviFace face(Unlit);
        openAt(face, "08:14:35");
        face.toggleSeconds(m_time);
        passAt(face, "08:14:36");
        m_time.now = QStringLiteral("08:14:38");
        face.afterDrag(m_time);
        QCOMPARE(litCells([&](int k) { return face.secondsUnits(k); }, 0, 9, Red), QList<int>{8});
        QCOMPARE(litCells([&](int k) { return face.secondsUnits(k); }, 0, 9, Unlit).size(), 9);
        face.update(m_time); // seconds are off: the pass after clears it
        QCOMPARE(face.secondsUnits(8), Unlit);
    }

    void eachFigureFromAReadingOfItsOwn()
    {
        // A pass that straddles a second: the hour and the minutes before it, the seconds after.
        NorviFace face(Unlit);
        openAt(face, "12:59:58");
        m_time.script = {"12:59:59", "12:59:59", "12:59:59", "13:00:00", "13:00:00"};
        face.update(m_time);
        QCOMPARE(litHours(face), QList<int>{XII});
        QCOMPARE(face.minutesUnits(9), Blue);
        QCOMPARE(litCells([&](int k) { return face.secondsTens(k); }, 0, 5, Red), QList<int>{});
        QCOMPARE(litCells([&](int k) { return face.secondsUnits(k); }, 0, 9, Red), QList<int>{0});
        QVERIFY(m_time.script.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestNorviFace)
#include "tst_norviface.moc"
