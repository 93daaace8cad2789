#include "clocks/jolvex/JolvexClock.h"
#include "clocks/jolvex/JolvexFace.h"
#include "support/ClockRig.h"
#include "support/FakeTime.h"

#include <QtTest>

using namespace vrim;
using vrim::test::ClockRig;
using vrim::test::FakeTime;

namespace {

constexpr ColourValue Unlit = rgbValue(240, 240, 240);
using Bar = JolvexFace::Bar;
constexpr std::array<Bar, 4> Bars = {Bar::NextHour, Bar::CurrentHour, Bar::SecondsUpper, Bar::SecondsLower};

QString tops(const JolvexFace &face)
{
    QStringList out;
    for (Bar bar : Bars)
        out.append(QString::number(double(face.top(bar))));
    return out.join(u' ');
}

} // namespace

class TestJolvexFace : public QObject {
    Q_OBJECT

    FakeTime m_time;

    void openAt(JolvexFace &face, const QString &time)
    {
        m_time.now = time;
        face.open(m_time);
    }
    void tickAt(JolvexFace &face, const QString &time)
    {
        m_time.now = time;
        face.tick(m_time);
    }
    // Opens at the first time and ticks at every time, the first included.
    void run(JolvexFace &face, const QStringList &times)
    {
        openAt(face, times.front());
        for (const QString &time : times)
            tickAt(face, time);
    }

private Q_SLOTS:
    void hourColours_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<ColourValue>("current");
        QTest::addColumn<ColourValue>("next");
        const ColourValue liteBlue = rgbValue(0, 225, 225), brown = rgbValue(85, 28, 0);
        const ColourValue pink = rgbValue(255, 0, 255), purple = rgbValue(130, 13, 130);
        // clang-format off
        QTest::newRow("12:xx is lite blue, brown coming") << "12:10:00" << liteBlue << brown;
        QTest::newRow("00:xx is lite blue, brown coming") << "00:10:00" << liteBlue << brown;
        QTest::newRow("11:xx is pink, lite blue coming") << "11:40:30" << pink << liteBlue;
        QTest::newRow("23:xx is pink, lite blue coming") << "23:59:59" << pink << liteBlue;
        QTest::newRow("7 pm is violet, the purple 8 coming") << "19:00:00" << rgbValue(170, 0, 255) << purple;
        QTest::newRow("08:xx is the purple the legend calls gray") << "08:05:00" << purple << rgbValue(255, 255, 255);
        QTest::newRow("10:xx is black, pink coming") << "10:00:00" << rgbValue(0, 0, 0) << pink;
        // clang-format on
    }
    void hourColours()
    {
        QFETCH(QString, time);
        QFETCH(ColourValue, current);
        QFETCH(ColourValue, next);
        JolvexFace face(Unlit);
        run(face, {time});
        QCOMPARE(face.colour(Bar::CurrentHour), current);
        QCOMPARE(face.colour(Bar::NextHour), next);
    }

    void opensPlacedForTheTimeThenTheFirstTickStepsAll()
    {
        JolvexFace face(Unlit);
        m_time.script = {QStringLiteral("10:30:15"), QStringLiteral("10:30:15")};
        face.open(m_time);
        QCOMPARE(tops(face), QStringLiteral("-240 240 -360 120"));
        QCOMPARE(face.colour(Bar::SecondsUpper), rgbValue(176, 23, 31));
        QCOMPARE(face.colour(Bar::SecondsLower), JolvexFace::White);
        QCOMPARE(face.led(), JolvexFace::LedBlue);
        QVERIFY(!face.ledVisible());
        // Both markers were empty: the first tick runs both steps.
        tickAt(face, QStringLiteral("10:30:15"));
        QCOMPARE(tops(face), QStringLiteral("-231.5 248.5 -351.5 128.5"));
    }

    void onlyAChangedMarkerMovesTheBars_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("a second tick in the same second moves nothing") << QStringList{"10:30:15", "10:30:15"} << "-231.5 248.5 -351.5 128.5";
        QTest::newRow("the next second moves the seconds bar alone") << QStringList{"10:30:15", "10:30:15", "10:30:16"} << "-231.5 248.5 -343 137";
        QTest::newRow("the next minute moves the hour bars too") << QStringList{"10:30:59", "10:31:00"} << "-223 257 9 -471.5";
        QTest::newRow("a pass that skipped seconds steps once") << QStringList{"10:30:15", "10:30:19"} << "-231.5 248.5 -343 137";
        // clang-format on
    }
    void onlyAChangedMarkerMovesTheBars()
    {
        QFETCH(QStringList, times);
        QFETCH(QString, expected);
        JolvexFace face(Unlit);
        run(face, times);
        QCOMPARE(tops(face), expected);
    }

    void wrapsOnlyStrictlyBelowTheColumn_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<int>("bar");
        QTest::addColumn<float>("top");
        QStringList upTo58, upTo59;
        for (int s = 43; s <= 59; ++s)
            (s <= 58 ? upTo58 : upTo59).append(QStringLiteral("10:20:%1").arg(s));
        upTo59 = upTo58 + upTo59;
        // clang-format off
        QTest::newRow("a seconds piece at exactly 480 stays") << upTo58 << int(Bar::SecondsLower) << 480.0f;
        QTest::newRow("one step further it wraps") << upTo59 << int(Bar::SecondsLower) << -480.0f;
        QTest::newRow("opened at second 59: 472 + 8.5 = 480.5 wraps") << QStringList{"10:20:59"} << int(Bar::SecondsLower) << -480.0f;
        QTest::newRow("opened at minute 59: the hour bar at 480.5 wraps") << QStringList{"10:59:10"} << int(Bar::CurrentHour) << -480.0f;
        QTest::newRow("and the next-hour bar is just in") << QStringList{"10:59:10"} << int(Bar::NextHour) << 0.5f;
        // clang-format on
    }
    void wrapsOnlyStrictlyBelowTheColumn()
    {
        QFETCH(QStringList, times);
        QFETCH(int, bar);
        QFETCH(float, top);
        JolvexFace face(Unlit);
        run(face, times);
        QCOMPARE(face.top(Bar(bar)), top);
        QVERIFY(face.visible(Bar(bar)));
    }

    void secondZeroRestartsAPieceAbove400_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<float>("lower");
        QTest::addColumn<float>("upper");
        QStringList from33;
        for (int s = 33; s <= 47; ++s)
            from33.append(QStringLiteral("10:20:%1").arg(s));
        // clang-format off
        QTest::newRow("at 409 it jumps to -480 at second 00") << QStringList{"10:20:49", "10:21:00"} << -480.0f << -71.0f;
        QTest::newRow("a second tick at 00 leaves it there") << QStringList{"10:20:49", "10:21:00", "10:21:00"} << -480.0f << -71.0f;
        QTest::newRow("at exactly 400 it goes on") << from33 + QStringList{"10:21:00"} << 400.0f << -80.0f;
        QTest::newRow("at 401 in second 01 it goes on") << QStringList{"10:20:48", "10:21:01"} << 401.0f << -79.0f;
        // clang-format on
    }
    void secondZeroRestartsAPieceAbove400()
    {
        QFETCH(QStringList, times);
        QFETCH(float, lower);
        QFETCH(float, upper);
        JolvexFace face(Unlit);
        run(face, times);
        QCOMPARE(face.top(Bar::SecondsLower), lower);
        QCOMPARE(face.top(Bar::SecondsUpper), upper);
    }

    void ledBlinksGreenAndRedWhileTheSecondsBarStands()
    {
        JolvexFace face(Unlit);
        run(face, {QStringLiteral("10:30:15")});
        QVERIFY(face.choose(QStringLiteral("led")));
        const QString still = tops(face).section(u' ', 2);
        QStringList seen{QString::number(face.led())};
        for (const char *time : {"10:30:16", "10:30:16", "10:30:17", "10:30:18", "10:30:19"}) {
            tickAt(face, QString::fromLatin1(time));
            seen.append(QString::number(face.led()));
        }
        const QString blue = QString::number(JolvexFace::LedBlue),
                      green = QString::number(JolvexFace::LedGreen),
                      red = QString::number(JolvexFace::LedRed);
        QCOMPARE(seen, (QStringList{blue, green, green, red, green, red}));
        QCOMPARE(tops(face).section(u' ', 2), still);
        QCOMPARE(JolvexFace::LedRed, rgbValue(255, 0, 10));
    }

    void displayModesSetWhatTheyName_data()
    {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<bool>("led");
        QTest::addColumn<bool>("seconds");
        QTest::addColumn<int>("hourWidth");
        QTest::addColumn<QStringList>("checked");
        // clang-format off
        QTest::newRow("opened: bar mode, seconds shown") << QStringList{} << false << true << 390 << QStringList{"bar"};
        QTest::newRow("Led: the LED, wide hour bars") << QStringList{"led"} << true << false << 480 << QStringList{"led"};
        QTest::newRow("Bar after Led") << QStringList{"led", "bar"} << false << true << 390 << QStringList{"bar"};
        QTest::newRow("Seconds Off: no seconds at all") << QStringList{"SecondsOff"} << false << false << 480 << QStringList{"bar", "SecondsOff"};
        QTest::newRow("Seconds On after Off") << QStringList{"SecondsOff", "SecondsOn"} << false << true << 390 << QStringList{"bar", "SecondsOn"};
        QTest::newRow("Seconds Off hides the LED, led stays checked") << QStringList{"led", "SecondsOff"} << false << false << 480 << QStringList{"led", "SecondsOff"};
        // clang-format on
    }
    void displayModesSetWhatTheyName()
    {
        QFETCH(QStringList, chosen);
        QFETCH(bool, led);
        QFETCH(bool, seconds);
        QFETCH(int, hourWidth);
        QFETCH(QStringList, checked);
        JolvexFace face(Unlit);
        run(face, {QStringLiteral("10:30:15")});
        for (const QString &item : chosen)
            QVERIFY(face.choose(item));
        QCOMPARE(face.ledVisible(), led);
        QCOMPARE(face.visible(Bar::SecondsUpper), seconds);
        QCOMPARE(face.visible(Bar::SecondsLower), seconds);
        QVERIFY(face.visible(Bar::NextHour) && face.visible(Bar::CurrentHour));
        QCOMPARE(face.width(Bar::NextHour), hourWidth);
        QCOMPARE(face.width(Bar::CurrentHour), hourWidth);
        QStringList on;
        for (const char *item : {"bar", "led", "SecondsOn", "SecondsOff"})
            if (face.checked(QString::fromLatin1(item)).value())
                on.append(QString::fromLatin1(item));
        QCOMPARE(on, checked);
        QVERIFY(!face.checked(QStringLiteral("brown")).has_value());
        QVERIFY(!face.choose(QStringLiteral("brown")));
    }

    void hiddenSecondsKeepMovingAndStayHiddenThroughTheWrap()
    {
        // Seconds off in bar mode: the pieces go on moving unseen, so that switching them on
        // again shows the right place; a wrap must not bring one back meanwhile.
        JolvexFace face(Unlit);
        run(face, {QStringLiteral("10:20:40")}); // the lower piece at 328.5
        QVERIFY(face.choose(QStringLiteral("SecondsOff")));
        for (int s = 41; s <= 59; ++s)
            tickAt(face, QStringLiteral("10:20:%1").arg(s));
        QCOMPARE(face.top(Bar::SecondsLower), -480.0f + 8.5f);
        QVERIFY(!face.visible(Bar::SecondsLower) && !face.visible(Bar::SecondsUpper));
        QVERIFY(face.choose(QStringLiteral("SecondsOn")));
        QVERIFY(face.visible(Bar::SecondsLower) && face.visible(Bar::SecondsUpper));
    }

    void anHourOfTicksFollowsTheRules()
    {
        // Worked out here from the rules in plain floats: placed at 8 a minute or second, 8.5 a
        // step, back to -480 at second 00 above 400, wrapped strictly above 480.
        const int startMinute = 17, startSecond = 23;
        float next = -480.0f + 8.0f * startMinute, current = 8.0f * startMinute;
        float upper = -480.0f + 8.0f * startSecond, lower = 8.0f * startSecond;
        JolvexFace face(Unlit);
        const auto at = [](int t) {
            const QLatin1Char zero('0');
            return QStringLiteral("%1:%2:%3")
                .arg(14 + t / 3600)
                .arg(t / 60 % 60, 2, 10, zero)
                .arg(t % 60, 2, 10, zero);
        };
        const int start = startMinute * 60 + startSecond;
        openAt(face, at(start));
        int wraps = 0, resets = 0;
        for (int t = start; t < start + 3600; ++t) {
            upper += 8.5f, lower += 8.5f;
            if (t == start || t % 60 == 0)
                next += 8.5f, current += 8.5f;
            for (float *piece : {&upper, &lower})
                if (t % 60 == 0 && *piece > 400.0f)
                    *piece = -480.0f, ++resets;
            for (float *piece : {&upper, &lower, &current, &next})
                if (*piece > 480.0f)
                    *piece = -480.0f, ++wraps;
            tickAt(face, at(t));
            QCOMPARE(face.top(Bar::SecondsUpper), upper);
            QCOMPARE(face.top(Bar::SecondsLower), lower);
            QCOMPARE(face.top(Bar::CurrentHour), current);
            QCOMPARE(face.top(Bar::NextHour), next);
        }
        // The hour had both kinds of jumps in it.
        QVERIFY2(wraps > 50 && resets > 0,
                 qPrintable(QStringLiteral("%1 wraps, %2 resets").arg(wraps).arg(resets)));
        QCOMPARE(face.colour(Bar::CurrentHour), JolvexFace::hourColour(3));
    }

    void aReloadKeepsTheBarsAndComesOnce()
    {
        ClockRig<JolvexClock> rig(Design::Jolvex, [](const ClockContext &context) {
            return std::make_unique<JolvexClock>(context);
        });
        rig.time.now = QStringLiteral("10:30:15");
        rig.clock.load();
        const JolvexFace &face = rig.clock.jolvexFace();
        QCOMPARE(tops(face), QStringLiteral("-231.5 248.5 -351.5 128.5"));
        QCOMPARE(rig.prepares(), 1);
        // The Skin Manager raises the signal on Save and again as it closes.
        rig.clock.refresh().raise();
        rig.clock.refresh().raise();
        rig.time.now = QStringLiteral("10:30:16");
        rig.clock.tick();
        QCOMPARE(rig.prepares(), 2);
        QVERIFY(rig.clock.refresh().carrier().isEmpty());
        QCOMPARE(tops(face), QStringLiteral("-231.5 248.5 -343 137"));
        rig.clock.tick();
        QCOMPARE(rig.prepares(), 2);
        QCOMPARE(tops(face), QStringLiteral("-231.5 248.5 -343 137"));
    }
};

QTEST_MAIN(TestJolvexFace)
#include "tst_jolvexface.moc"
