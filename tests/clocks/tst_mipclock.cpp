#include "clocks/mip/MipClock.h"
#include "support/ClockRig.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

// The Mip clock's rules over scripted times: the pictures each button shows, the lamp, and the
// zero read from Helps only at the start of each run of minutes 00-09.
class TestMipClock : public QObject {
    Q_OBJECT

    struct Fixture : ClockRig<MipClock> {
        QStringList reads; // the pictures read from disk, in order
        bool helpsZeroMissing = false;

        Fixture()
            : ClockRig(Design::Mip,
                       [](const ClockContext &context) { return std::make_unique<MipClock>(context); })
        {
            clock.onReadPicture([this](int, const QString &path) {
                if (path.startsWith(u":/"))
                    return QString();
                reads.append(path);
                return helpsZeroMissing ? QStringLiteral("no such file") : QString();
            });
        }
        void at(const char *now)
        {
            time.now = QString::fromLatin1(now);
            clock.tick();
        }
        int shown(MipFace::Control control) const { return clock.mipFace().shown(control); }
        ColourValue lamp() const { return clock.buttonColour(mip::control::Move); }
        const QString &label() const { return clock.refresh().carrier(); }
        int zeroReads() const { return int(reads.size()); }
    };

private Q_SLOTS:
    void picturesAndLamp_data()
    {
        QTest::addColumn<QString>("now");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("tens");
        QTest::addColumn<int>("units");
        QTest::addColumn<ColourValue>("lamp");
        const int zero = MipFace::digitSlot(MipFace::ZeroDigit);
        const int helps = MipFace::HelpsZeroSlot;
        // clang-format off
        QTest::newRow("12:34: noon counts with the morning") << "12:34:00" << 12 << 3 << 4 << MipClock::Morning;
        QTest::newRow("13:00: one in the afternoon, the Helps zero") << "13:00:00" << 1 << helps << zero << MipClock::Afternoon;
        QTest::newRow("00:15: midnight shows twelve") << "00:15:30" << 12 << 1 << 5 << MipClock::Morning;
        QTest::newRow("23:59: eleven, five, nine") << "23:59:59" << 11 << 5 << 9 << MipClock::Afternoon;
        QTest::newRow("10:20: units 0 show the list's zero") << "10:20:00" << 10 << 2 << zero << MipClock::Morning;
        // clang-format on
    }
    void picturesAndLamp()
    {
        QFETCH(QString, now);
        QFETCH(int, hour);
        QFETCH(int, tens);
        QFETCH(int, units);
        QFETCH(ColourValue, lamp);
        Fixture f;
        f.time.now = QStringLiteral("10:19:58"); // a units digit 9 that must not stay
        f.clock.load();
        f.at(qPrintable(now));
        QCOMPARE(f.shown(MipFace::Hour), MipFace::hourSlot(hour));
        QCOMPARE(f.shown(MipFace::Tens), tens < 10 ? MipFace::digitSlot(tens) : tens);
        QCOMPARE(f.shown(MipFace::Units), units < 10 ? MipFace::digitSlot(units) : units);
        QCOMPARE(f.lamp(), lamp);
        QCOMPARE(f.clock.buttonColour(mip::control::OnTop), rgbValue(192, 255, 120));
    }

    void theHelpsZeroIsReadOncePerRun()
    {
        Fixture f;
        f.time.now = QStringLiteral("10:05:00");
        f.clock.load();
        const QString m0 = f.folder.file("Helps/m0.gif");
        QCOMPARE(f.reads, QStringList{m0});
        QCOMPARE(f.shown(MipFace::Tens), MipFace::HelpsZeroSlot);
        QCOMPARE(f.label(), MipClock::ZeroMarker);

        const Face before = f.clock.face();
        f.at("10:05:01");
        QCOMPARE(f.clock.face(), before); // nothing changed: nothing to paint
        for (const char *now : {"10:06:00", "10:07:30", "10:09:59"})
            f.at(now);
        QCOMPARE(f.zeroReads(), 1);

        f.at("10:10:00");
        QCOMPARE(f.shown(MipFace::Tens), MipFace::digitSlot(1));
        QCOMPARE(f.shown(MipFace::Units), MipFace::digitSlot(MipFace::ZeroDigit));
        QCOMPARE(f.label(), QString());
        f.at("10:59:59");
        f.at("11:00:00");
        QCOMPARE(f.zeroReads(), 2);
        QCOMPARE(f.label(), MipClock::ZeroMarker);

        // A reload in the run empties the marker; the same pass reads the zero again.
        f.clock.refresh().raise();
        f.at("11:03:00");
        QCOMPARE(f.zeroReads(), 3);
        QCOMPARE(f.label(), MipClock::ZeroMarker);
        QCOMPARE(f.prepares(), 2);
        f.at("11:03:01");
        QCOMPARE(f.zeroReads(), 3);
        QCOMPARE(f.prepares(), 2);
    }

    void aMissingHelpsZeroShowsTheListsZeroAndIsSaidOnce()
    {
        Fixture f;
        f.helpsZeroMissing = true;
        f.time.now = QStringLiteral("10:05:00");
        f.clock.load();
        QCOMPARE(f.shown(MipFace::Tens), MipFace::digitSlot(MipFace::ZeroDigit));
        QCOMPARE(f.problems.size(), 1);
        QVERIFY(f.problems.front().contains(QStringLiteral("m0.gif")));
        for (const char *now : {"10:09:00", "10:10:00", "11:00:00", "11:01:00"})
            f.at(now);
        QCOMPARE(f.zeroReads(), 2); // the clock still tries at each run
        QCOMPARE(f.shown(MipFace::Tens), MipFace::digitSlot(MipFace::ZeroDigit));
        QCOMPARE(f.problems.size(), 1);
    }
};

QTEST_MAIN(TestMipClock)
#include "tst_mipclock.moc"
