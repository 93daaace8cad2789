#include "clocks/vrimcolor/VrimcolorFace.h"
#include "support/FakeTime.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

using Group = VrimcolorFace::Group;
const QStringList Lines = {"Line13", "Line14", "Line15", "Line16"};

// Where each group puts Line13..Line16 in the hour square, as the user sees the figure.
QList<QLine> placementOf(Group group)
{
    switch (group) {
    case Group::A:
        return {{720, 0, 720, 390}, {0, 720, 360, 720}, {360, 0, 360, 330}, {0, 390, 300, 390}};
    case Group::B:
        return {{720, 390, 720, 780}, {0, 30, 360, 30}, {360, 450, 360, 780}, {0, 390, 300, 390}};
    case Group::C:
        return {{30, 390, 30, 780}, {420, 30, 780, 30}, {360, 450, 360, 780}, {450, 390, 780, 390}};
    case Group::D:
        return {{30, 0, 30, 390}, {360, 720, 780, 720}, {360, 0, 360, 330}, {450, 390, 780, 390}};
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(vrim::VrimcolorFace::Group)

class TestVrimcolorFace : public QObject {
    Q_OBJECT

    struct Fixture {
        FakeTime time;
        VrimcolorFace face{rgbValue(240, 240, 240)};

        void openAt(const QString &at)
        {
            time.now = at;
            face.load(time);
            face.update(time); // the window's first pass
        }
        void passAt(const QString &at)
        {
            time.now = at;
            face.update(time);
        }
        QStringList redLines() const
        {
            QStringList red;
            for (const QString &line : Lines)
                if (face.lineColour(line) == VrimcolorFace::Red)
                    red.append(line);
            return red;
        }
        // Exactly `marked` is thick and red, every other line thin and black, all placed as
        // `group` places them.
        void verifyFigure(Group group, const QString &marked) const
        {
            QCOMPARE(redLines(), QStringList{marked});
            const QList<QLine> placement = placementOf(group);
            for (int k = 0; k < 4; ++k) {
                const QString &line = Lines[k];
                QCOMPARE(face.lineInSquare(line), placement[k]);
                QCOMPARE(face.lineWidth(line), line == marked ? 2 : 1);
                if (line != marked)
                    QCOMPARE(face.lineColour(line), VrimcolorFace::Black);
            }
        }
    };

private Q_SLOTS:
    // The figure after the clock opened at `from` and made the passes given, one a second.
    void hourFigure_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QStringList>("passes");
        QTest::addColumn<Group>("group");
        QTest::addColumn<QString>("marked");
        // clang-format off
        QTest::newRow("opened at midnight: group D, Line13") << "00:00:00" << QStringList{} << Group::D << "Line13";
        QTest::newRow("opened at noon: group D, Line13") << "12:00:00" << QStringList{} << Group::D << "Line13";
        QTest::newRow("midnight after 23:59:59: A rebuilt as D") << "23:59:58" << QStringList{"23:59:59", "00:00:00"} << Group::D << "Line13";
        QTest::newRow("11:59:59: group A, Line15") << "11:30:00" << QStringList{"11:59:58", "11:59:59"} << Group::A << "Line15";
        QTest::newRow("12:00:00 after 11:59:59") << "11:59:58" << QStringList{"11:59:59", "12:00:00"} << Group::D << "Line13";
        QTest::newRow("12:00:04, still rebuilt") << "11:59:59" << QStringList{"12:00:00", "12:00:01", "12:00:02", "12:00:03", "12:00:04"} << Group::D << "Line13";
        QTest::newRow("12:00:05, only the mark") << "11:59:59" << QStringList{"12:00:00", "12:00:04", "12:00:05"} << Group::D << "Line13";
        QTest::newRow("13:00: Line15, Line13 set back") << "12:59:58" << QStringList{"12:59:59", "13:00:00", "13:00:30"} << Group::D << "Line15";
        QTest::newRow("14:00: Line16, Line15 set back") << "13:59:59" << QStringList{"14:00:00", "14:20:00"} << Group::D << "Line16";
        QTest::newRow("15:00: group C, Line14") << "14:59:59" << QStringList{"15:00:00"} << Group::C << "Line14";
        QTest::newRow("16:00: Line16, Line14 set back") << "15:59:59" << QStringList{"16:00:00", "16:00:06"} << Group::C << "Line16";
        QTest::newRow("05:00: Line15, Line16 set back") << "04:59:59" << QStringList{"05:00:00"} << Group::C << "Line15";
        QTest::newRow("18:00: group B, Line13") << "17:59:59" << QStringList{"18:00:00"} << Group::B << "Line13";
        QTest::newRow("08:00: Line16") << "07:59:59" << QStringList{"08:00:00"} << Group::B << "Line16";
        QTest::newRow("21:00: group A, Line14") << "20:59:59" << QStringList{"21:00:00"} << Group::A << "Line14";
        QTest::newRow("22:45: Line16") << "22:45:10" << QStringList{} << Group::A << "Line16";
        // Seconds 0 to 4 never seen: the clock set forward across the hour.
        QTest::newRow("clock set from 14:59:50 to 15:00:10") << "14:59:50" << QStringList{"15:00:10"} << Group::C << "Line14";
        QTest::newRow("clock set back from 09:00:20 to 08:59:50") << "09:00:20" << QStringList{"08:59:50"} << Group::B << "Line16";
        // clang-format on
    }
    void hourFigure()
    {
        QFETCH(QString, from);
        QFETCH(QStringList, passes);
        QFETCH(Group, group);
        QFETCH(QString, marked);
        Fixture f;
        f.openAt(from);
        for (const QString &at : passes)
            f.passAt(at);
        f.verifyFigure(group, marked);
    }

    // A pass whose bar readings fall in the old hour and whose hour reading in the new one.
    void aPassStraddlingTheHourShowsTheNewFigure()
    {
        Fixture f;
        f.openAt(QStringLiteral("11:59:58"));
        f.time.script = {"11:59:59", "11:59:59", "11:59:59", "12:00:00"};
        f.time.now = QStringLiteral("12:00:00");
        f.face.update(f.time);
        QVERIFY(f.time.script.isEmpty());
        f.verifyFigure(Group::D, QStringLiteral("Line13"));
        QCOMPARE(f.face.lamp(), VrimcolorFace::Morning);
    }

    void bars_data()
    {
        QTest::addColumn<QString>("at");
        QTest::addColumn<int>("tens");
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("seconds");
        QTest::newRow("09:30:03") << "09:30:03" << 3 << 0 << 3;
        QTest::newRow("xx:59:59: the minute bars never full") << "17:59:59" << 5 << 9 << 59;
        QTest::newRow("the hour's start: all empty") << "18:00:00" << 0 << 0 << 0;
        QTest::newRow("10:47:31") << "10:47:31" << 4 << 7 << 31;
    }
    void bars()
    {
        QFETCH(QString, at);
        QFETCH(int, tens);
        QFETCH(int, units);
        QFETCH(int, seconds);
        Fixture f;
        f.openAt(QStringLiteral("08:12:40"));
        f.passAt(at);
        QCOMPARE(f.face.barValue(VrimcolorFace::MinuteTens), tens);
        QCOMPARE(f.face.barValue(VrimcolorFace::MinuteUnits), units);
        QCOMPARE(f.face.barValue(VrimcolorFace::Seconds), seconds);
    }

    void barsStayEmptyUntilTheFirstPass()
    {
        Fixture f;
        f.time.now = QStringLiteral("09:30:03");
        f.face.load(f.time);
        for (auto bar : {VrimcolorFace::MinuteTens, VrimcolorFace::MinuteUnits, VrimcolorFace::Seconds})
            QCOMPARE(f.face.barValue(bar), 0);
        f.verifyFigure(Group::A, QStringLiteral("Line14"));
    }

    void lamp_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("at");
        QTest::addColumn<ColourValue>("lamp");
        const ColourValue morning = VrimcolorFace::Morning, afternoon = VrimcolorFace::Afternoon;
        QTest::newRow("12:59: noon counts with the morning") << "12:58:00"
                                                             << "12:59:59" << morning;
        QTest::newRow("13:00: afternoon") << "12:59:59"
                                          << "13:00:00" << afternoon;
        QTest::newRow("23:59: afternoon") << "23:59:00"
                                          << "23:59:59" << afternoon;
        QTest::newRow("midnight: morning again") << "23:59:59"
                                                 << "00:00:00" << morning;
        QTest::newRow("11:00: morning") << "10:59:59"
                                        << "11:00:00" << morning;
    }
    void lamp()
    {
        QFETCH(QString, from);
        QFETCH(QString, at);
        QFETCH(ColourValue, lamp);
        Fixture f;
        f.openAt(from);
        f.passAt(at);
        QCOMPARE(f.face.lamp(), lamp);
    }
};

QTEST_MAIN(TestVrimcolorFace)
#include "tst_vrimcolorface.moc"
