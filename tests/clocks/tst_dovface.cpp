#include "clocks/dov/DovFace.h"
#include "support/FakeTime.h"

#include <QtTest>

using namespace vrim;
using vrim::test::FakeTime;

namespace {

constexpr ColourValue Unlit = rgbValue(240, 240, 240);
constexpr int None = -1;

// Bar index by the hour it stands for.
constexpr int barOf(int hour) { return hour - 1; }

} // namespace

class TestDovFace : public QObject {
    Q_OBJECT

    FakeTime m_time;

    void passAt(DovFace &face, const QString &time)
    {
        m_time.now = time;
        face.update(m_time);
    }

private Q_SLOTS:
    void dayTable_data()
    {
        QTest::addColumn<QString>("earlier"); // a pass before, or empty
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("litHour");
        QTest::addColumn<ColourValue>("elevenBar");
        QTest::addColumn<ColourValue>("twelveBar");
        const ColourValue lit = DovFace::Lit, dim = DovFace::Dim;
        // clang-format off
        QTest::newRow("midnight lights 12") << "" << "00:00:00" << 12 << dim << lit;
        QTest::newRow("00:59 still 12") << "" << "00:59:59" << 12 << dim << lit;
        QTest::newRow("01:00 lights 1") << "" << "01:00:00" << 1 << dim << Unlit;
        QTest::newRow("10:59 lights 10") << "" << "10:59:30" << 10 << dim << Unlit;
        QTest::newRow("11:00 lights nothing") << "" << "11:00:00" << None << dim << Unlit;
        QTest::newRow("11:59 lights nothing") << "" << "11:59:59" << None << dim << Unlit;
        QTest::newRow("noon lights 12") << "" << "12:00:00" << 12 << dim << lit;
        QTest::newRow("13:00 opened in the afternoon") << "" << "13:00:00" << 1 << Unlit << dim;
        QTest::newRow("13:00 after a morning") << "12:30:00" << "13:00:00" << 1 << dim << dim;
        QTest::newRow("22:59 lights 10") << "" << "22:59:00" << 10 << Unlit << dim;
        QTest::newRow("23:00 lights 11") << "" << "23:00:00" << 11 << lit << dim;
        // clang-format on
    }
    void dayTable()
    {
        QFETCH(QString, earlier);
        QFETCH(QString, time);
        QFETCH(int, litHour);
        QFETCH(ColourValue, elevenBar);
        QFETCH(ColourValue, twelveBar);
        DovFace face(Unlit);
        if (!earlier.isEmpty()) {
            passAt(face, earlier);
            passAt(face, earlier);
        }
        // The window's first pass, then an ordinary one: the table is what a user sees.
        passAt(face, time);
        passAt(face, time);
        for (int hour = 1; hour <= 10; ++hour)
            QCOMPARE(face.bar(barOf(hour)) == DovFace::Lit, hour == litHour);
        QCOMPARE(face.bar(barOf(11)), elevenBar);
        QCOMPARE(face.bar(barOf(12)), twelveBar);
    }

    void midnightFirstPassRepaintsTheElevenBar()
    {
        DovFace face(Unlit);
        passAt(face, "00:00:00");
        QCOMPARE(face.bar(barOf(11)), Unlit); // painted DIM, then FACE by the new hour
        QCOMPARE(face.bar(barOf(12)), DovFace::Lit);
        passAt(face, "00:00:01");
        QCOMPARE(face.bar(barOf(11)), DovFace::Dim);
    }

    void hourChangesThroughNoon()
    {
        DovFace face(Unlit);
        passAt(face, "11:59:59");
        passAt(face, "12:00:00");
        QCOMPARE(face.bar(barOf(12)), DovFace::Lit);
        QCOMPARE(face.bar(barOf(11)), Unlit); // repainted DIM on the next pass
        passAt(face, "12:00:01");
        QCOMPARE(face.bar(barOf(11)), DovFace::Dim);
        passAt(face, "13:00:00");
        passAt(face, "13:00:01");
        QCOMPARE(face.bar(barOf(12)), DovFace::Dim);
        QCOMPARE(face.bar(barOf(1)), DovFace::Lit);
    }

    void skippedHoursKeepTheirColour()
    {
        DovFace face(Unlit);
        passAt(face, "03:10:00");
        passAt(face, "06:10:00"); // after a sleep
        QCOMPARE(face.bar(barOf(3)), DovFace::Lit);
        QCOMPARE(face.bar(barOf(5)), Unlit);
        QCOMPARE(face.bar(barOf(6)), DovFace::Lit);

        DovFace jump(Unlit);
        passAt(jump, "10:00:00");
        passAt(jump, "12:00:00"); // the "10" bar is not FACE: "12" is lit, then cleared
        QCOMPARE(jump.bar(barOf(12)), Unlit);
        QCOMPARE(jump.bar(barOf(10)), DovFace::Lit);
    }

    void currentHourSeepsIntoItsMarker()
    {
        DovFace face(Unlit);
        passAt(face, "04:20:02");
        passAt(face, "04:20:03");
        QCOMPARE(face.marker(barOf(4)).colour, DovFace::Lit);
        QCOMPARE(face.marker(barOf(12)).colour, Unlit);
    }

    void secondsMarkerWalksTheRingAndWraps()
    {
        DovFace face(Unlit);
        passAt(face, "08:14:57"); // not a multiple of five: nothing blue yet
        for (int i = 0; i < 12; ++i)
            QVERIFY(face.marker(i).colour != DovFace::Second);

        int lastLit = -1;
        for (int s = 58; s < 60 + 60 + 3; ++s) {
            const int second = s % 60;
            const QString time =
                QStringLiteral("08:%1:%2").arg(s < 60 ? 14 : 15).arg(second, 2, 10, QLatin1Char('0'));
            passAt(face, time);
            if (second % 5 == 0)
                lastLit = second / 5;
            if (lastLit < 0)
                continue;
            const DovMarker &marker = face.marker(lastLit);
            QVERIFY2(marker.visible && marker.border && marker.colour == DovFace::Second, qPrintable(time));
            QVERIFY2(!face.marker((lastLit + 11) % 12).visible, qPrintable(time));
        }
        // Round the ring twice: second 0 lights marker 0 again and hides marker 11.
        QCOMPARE(lastLit, 0);
        QVERIFY(!face.marker(11).visible);
    }

    void minutesAlwaysTwoDigits()
    {
        DovFace face(Unlit);
        passAt(face, "07:05:09");
        QCOMPARE(face.minutesText(), QStringLiteral("05"));
        passAt(face, "07:00:09");
        QCOMPARE(face.minutesText(), QStringLiteral("00"));
    }

    void passThatStraddlesASecond()
    {
        // Hour, units, minutes text and seconds are four readings; the clock turns between them.
        DovFace face(Unlit);
        m_time.script = {"10:59:59", "10:59:59", "11:00:00", "11:00:00"};
        face.update(m_time);
        QCOMPARE(face.bar(barOf(10)), DovFace::Lit); // the hour read before the turn
        QCOMPARE(face.minuteUnits(), 9);
        QCOMPARE(face.minutesText(), QStringLiteral("00"));
        QCOMPARE(face.marker(0).colour, DovFace::Second);
    }

    void resetClearsColoursAndLightsAgain()
    {
        DovFace face(Unlit);
        passAt(face, "05:30:10");
        face.reset(m_time);
        QCOMPARE(face.bar(barOf(5)), DovFace::Lit); // lastHour was forgotten, so lit at once
        QCOMPARE(face.marker(barOf(12)).border, false);
        QCOMPARE(face.lastHour(), 5);
    }
};

QTEST_GUILESS_MAIN(TestDovFace)
#include "tst_dovface.moc"
