#include "base/RefreshSignal.h"
#include "clocks/quenz/QuenzFace.h"
#include "support/FakeTime.h"

#include <QtTest>

using namespace vrim;
using vrim::test::FakeTime;

namespace {

constexpr ColourValue Unlit = rgbValue(240, 240, 240);
constexpr int None = -1;

// Bar and marker index by the hour the bar stands for.
constexpr int barOf(int hour) { return hour - 1; }

// The marker lit for the five seconds `seconds` lies in.
constexpr int markerFor(int seconds) { return seconds < 5 ? 11 : seconds / 5 - 1; }

QStringList secondMarkers(const QuenzFace &face)
{
    QStringList lit;
    for (int i = 0; i < 12; ++i)
        if (face.marker(i) == QuenzFace::Second)
            lit.append(QString::number(i));
    return lit;
}

} // namespace

class TestQuenzFace : public QObject {
    Q_OBJECT

    FakeTime m_time;
    RefreshSignal m_tag;

    void passAt(QuenzFace &face, const QString &time)
    {
        m_time.now = time;
        face.update(m_time, m_tag);
    }
    void passes(QuenzFace &face, const QStringList &times)
    {
        for (const QString &time : times)
            passAt(face, time);
    }

private Q_SLOTS:
    void hourTurns_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<ColourValue>("elevenBar");
        QTest::addColumn<ColourValue>("twelveBar");
        QTest::addColumn<ColourValue>("oneBar");
        QTest::addColumn<ColourValue>("dot");
        const ColourValue blue = QuenzFace::Blue, noon = QuenzFace::Noon;
        const ColourValue am = QuenzFace::Morning, pm = QuenzFace::Afternoon;
        // clang-format off
        QTest::newRow("12:00:00 lights 12 blue in the same pass") << QStringList{"11:59:55", "12:00:00"} << Unlit << blue << Unlit << am;
        QTest::newRow("12:00 first seen between fives marks 12 NOON") << QStringList{"11:59:55", "12:00:03"} << Unlit << noon << Unlit << am;
        QTest::newRow("NOON turns blue at 12:00:05") << QStringList{"11:59:55", "12:00:03", "12:00:05"} << Unlit << blue << Unlit << am;
        QTest::newRow("00:00:00 lights 12 blue, morning dot") << QStringList{"23:59:55", "00:00:00"} << Unlit << blue << Unlit << am;
        QTest::newRow("midnight first seen between fives marks 12 NOON") << QStringList{"23:59:55", "00:00:02"} << Unlit << noon << Unlit << am;
        QTest::newRow("no NOON without a lit 11 bar") << QStringList{"12:00:03"} << Unlit << Unlit << Unlit << am;
        QTest::newRow("12:30 keeps the morning dot") << QStringList{"12:30:00"} << Unlit << blue << Unlit << am;
        QTest::newRow("13:00:00 clears 12 and lights 1") << QStringList{"12:59:55", "13:00:00"} << Unlit << Unlit << blue << pm;
        QTest::newRow("13:00 between fives: 12 cleared, 1 waits") << QStringList{"12:59:55", "13:00:02"} << Unlit << Unlit << Unlit << pm;
        QTest::newRow("1 lit at 13:00:05") << QStringList{"12:59:55", "13:00:02", "13:00:05"} << Unlit << Unlit << blue << pm;
        // clang-format on
    }
    void hourTurns()
    {
        QFETCH(QStringList, times);
        QFETCH(ColourValue, elevenBar);
        QFETCH(ColourValue, twelveBar);
        QFETCH(ColourValue, oneBar);
        QFETCH(ColourValue, dot);
        QuenzFace face(Unlit);
        passes(face, times);
        QCOMPARE(face.bar(barOf(11)), elevenBar);
        QCOMPARE(face.bar(barOf(12)), twelveBar);
        QCOMPARE(face.bar(barOf(1)), oneBar);
        QCOMPARE(face.dot(), dot);
        for (int hour = 2; hour <= 10; ++hour)
            QVERIFY2(face.bar(barOf(hour)) != QuenzFace::Blue, qPrintable(QString::number(hour)));
    }

    void hourlyClear_data()
    {
        QTest::addColumn<QString>("tagBefore");
        QTest::addColumn<QString>("at");
        QTest::addColumn<int>("readings");
        QTest::addColumn<ColourValue>("lastHoursMarker");
        QTest::addColumn<QString>("tagAfter");
        const ColourValue blue = QuenzFace::Blue;
        // clang-format off
        QTest::newRow("05:00:00 clears and draws again") << "" << "05:00:00" << 5 << Unlit << "";
        QTest::newRow("a refresh waiting holds it back") << "refrsh" << "05:00:00" << 3 << blue << "refrsh";
        QTest::newRow("not at 05:00:05") << "" << "05:00:05" << 3 << blue << "";
        QTest::newRow("not at 05:01:00") << "" << "05:01:00" << 3 << blue << "";
        // clang-format on
    }
    void hourlyClear()
    {
        QFETCH(QString, tagBefore);
        QFETCH(QString, at);
        QFETCH(int, readings);
        QFETCH(ColourValue, lastHoursMarker);
        QFETCH(QString, tagAfter);
        QuenzFace face(Unlit);
        passAt(face, "04:59:55"); // the "4" bar and its marker blue
        QCOMPARE(face.marker(barOf(4)), QuenzFace::Blue);
        m_tag.setCarrier(tagBefore);
        m_time.readings = 0;
        passAt(face, at);
        // Hour, minutes, seconds; the clear reads minutes and seconds once more.
        QCOMPARE(m_time.readings, readings);
        // Nothing but the clear puts out the last hour's marker in the first five seconds.
        QCOMPARE(face.marker(barOf(4)), lastHoursMarker);
        QCOMPARE(m_tag.carrier(), tagAfter);
        // Drawn again after the clear: the hour and the seconds.
        QCOMPARE(face.bar(barOf(5)), QuenzFace::Blue);
        QCOMPARE(face.marker(barOf(5)), QuenzFace::Blue);
        QCOMPARE(secondMarkers(face), QStringList{QString::number(markerFor(at.right(2).toInt()))});
        QCOMPARE(face.bar(barOf(4)), Unlit);
    }

    void secondsMarker_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("at");
        QTest::addColumn<int>("lit");
        QTest::addColumn<int>("cleared");
        // clang-format off
        QTest::newRow("second 0 lights marker 11, clears 10") << "08:14:55" << "08:15:00" << 11 << 10;
        QTest::newRow("second 5 lights marker 0, clears 11") << "08:15:00" << "08:15:05" << 0 << 11;
        QTest::newRow("second 30 lights marker 5, clears 4") << "08:15:25" << "08:15:30" << 5 << 4;
        QTest::newRow("second 55 lights marker 10, clears 9") << "08:15:50" << "08:15:55" << 10 << 9;
        // clang-format on
    }
    void secondsMarker()
    {
        QFETCH(QString, before);
        QFETCH(QString, at);
        QFETCH(int, lit);
        QFETCH(int, cleared);
        QuenzFace face(Unlit);
        passAt(face, before);
        QCOMPARE(face.marker(cleared), QuenzFace::Second);
        passAt(face, at);
        QCOMPARE(secondMarkers(face), QStringList{QString::number(lit)});
        QCOMPARE(face.marker(cleared), Unlit);
    }

    void secondsMarkerThroughAWholeMinute()
    {
        QuenzFace face(Unlit);
        face.reset();
        passAt(face, "10:19:58");
        for (int s = 0; s <= 60; ++s) {
            const QString time =
                QStringLiteral("10:%1:%2").arg(s < 60 ? 20 : 21).arg(s % 60, 2, 10, QLatin1Char('0'));
            passAt(face, time);
            for (int i = 0; i < 12; ++i) {
                // The hour's own marker shows blue whenever the seconds are elsewhere.
                const ColourValue expected =
                    i == markerFor(s % 60) ? QuenzFace::Second : (i == barOf(10) ? QuenzFace::Blue : Unlit);
                QVERIFY2(face.marker(i) == expected, qPrintable(time + QStringLiteral(" marker %1").arg(i)));
            }
            QCOMPARE(face.minutesText(), time.mid(3, 2));
        }
    }

    void aTickBetweenFivesChangesOnlyDotAndMinutes()
    {
        QuenzFace face(Unlit); // as loaded: markers and the "3" bar grey
        const QuenzFace loaded = face;
        passAt(face, "13:20:07");
        QStringList changed;
        for (int i : Face::changed(loaded.controls(), face.controls()))
            changed.append(face.controls()[size_t(i)].name);
        QCOMPARE(changed, (QStringList{"Label1", quenz::control::Dot}));
        QCOMPARE(face.dot(), QuenzFace::Afternoon);
        QCOMPARE(face.minutesText(), QStringLiteral("20"));

        passAt(face, "13:20:10");
        QCOMPARE(face.bar(barOf(1)), QuenzFace::Blue);
        QCOMPARE(face.marker(barOf(1)), QuenzFace::Blue);
        QCOMPARE(secondMarkers(face), QStringList{"1"});
        QCOMPARE(face.bar(barOf(3)), QuenzFace::Grey); // only a reset clears it
    }

    void noStaleSecondsMarker_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<int>("lit");
        // clang-format off
        QTest::newRow("the pass at :10 missed") << QStringList{"10:20:05", "10:20:12"} << None;
        QTest::newRow("the passes at :10 and :15 missed") << QStringList{"10:20:05", "10:20:12", "10:20:20"} << 3;
        QTest::newRow("back from a sleep") << QStringList{"10:20:05", "10:47:31"} << None;
        QTest::newRow("the clock set back") << QStringList{"10:20:40", "10:20:15"} << 2;
        QTest::newRow("a minute missed, the same five seconds") << QStringList{"10:20:05", "10:21:06"} << 0;
        // clang-format on
    }
    void noStaleSecondsMarker()
    {
        QFETCH(QStringList, times);
        QFETCH(int, lit);
        QuenzFace face(Unlit);
        passes(face, times);
        QCOMPARE(secondMarkers(face), lit == None ? QStringList{} : QStringList{QString::number(lit)});
        QCOMPARE(face.marker(barOf(10)), QuenzFace::Blue); // the hour's marker is not put out
    }

    void passThatStraddlesASecond()
    {
        // Hour, minutes and seconds are three readings; the clock turns between them.
        QuenzFace face(Unlit);
        passAt(face, "11:59:55");
        m_time.script = {"11:59:59", "12:00:00", "12:00:00", "12:00:00", "12:00:00"};
        face.update(m_time, m_tag);
        QCOMPARE(face.bar(barOf(11)), QuenzFace::Blue); // the hour read before the turn
        QCOMPARE(face.minutesText(), QStringLiteral("00"));
        QCOMPARE(secondMarkers(face), QStringList{"11"});
        QVERIFY(m_time.script.isEmpty()); // the hourly clear ran on the later readings
    }
};

QTEST_GUILESS_MAIN(TestQuenzFace)
#include "tst_quenzface.moc"
