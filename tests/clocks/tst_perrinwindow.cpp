#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "clocks/perrin/PerrinClock.h"
#include "support/ProgramRig.h"

#include <QLabel>
#include <QScreen>
#include <QtTest>

#include <algorithm>

using namespace vrim;
using namespace vrim::test;

namespace {

const QColor PaleGreen(229, 255, 231), White(255, 255, 255);
// Points of the window inside the oval and clear of the minutes box and the hot spot.
const QList<QPoint> InsideOval = {{30, 30}, {66, 12}, {110, 60}, {20, 70}, {66, 120}, {100, 105}};

} // namespace

// The Perrin clock in its real window, read as a user sees it: the hour's picture through the
// oval, the minutes box and its on-top colours, the shape, and the ways to close it.
class TestPerrinWindow : public QObject {
    Q_OBJECT

    struct Fixture : ProgramRig {
        ClockWindow *perrin = nullptr;

        explicit Fixture(const char *now = "18:30:05")
            : ProgramRig(QString::fromLatin1(now))
        {
            perrin = openClock(Design::Perrin);
        }
        QImage shot() const { return perrin->grab().toImage(); }
        QWidget *box() const { return perrin->button(perrin::control::Minutes); }
        QWidget *hotSpot() const { return perrin->button(perrin::control::HotSpot); }
        bool onTop() const { return perrin->windowHandle()->flags() & Qt::WindowStaysOnTopHint; }
    };

private Q_SLOTS:
    void opensOvalAtItsPlaceWithItsControls()
    {
        Fixture f;
        QVERIFY(f.perrin);
        QVERIFY(QTest::qWaitForWindowExposed(f.perrin));
        // Its place on a screen of 1024 by 768; a smaller screen (the test's is 800 by 600) keeps
        // the whole window on it.
        const QRect place(657, 406, 233, 200);
        const QRect room = f.perrin->screen()->availableGeometry();
        QCOMPARE(f.perrin->geometry(), place.translated(std::min(0, room.right() - place.right()),
                                                        std::min(0, room.bottom() - place.bottom())));
        QVERIFY(f.onTop());
        // The outer ellipse less the small hole, in the window's top-left part.
        const QRegion shape =
            QRegion(0, 0, 133, 130, QRegion::Ellipse) - QRegion(1, 1, 19, 9, QRegion::Ellipse);
        QCOMPARE(f.perrin->mask(), shape);
        QCOMPARE(f.box()->geometry(), QRect(46, 82, 27, 15));
        QCOMPARE(f.box()->toolTip(), QStringLiteral("Minutes"));
        QCOMPARE(f.hotSpot()->geometry(), QRect(36, 38, 17, 15));
        QCOMPARE(f.hotSpot()->toolTip(), QStringLiteral(" 18"));
        f.passAt("19:00:00");
        QCOMPARE(f.hotSpot()->toolTip(), QStringLiteral(" 19"));
        QVERIFY(f.platform.warnings.isEmpty());
    }

    void showsTheHoursPictureThroughTheOval_data()
    {
        QTest::addColumn<QString>("now");
        QTest::addColumn<int>("picture");
        QTest::newRow("00:20, picture 24") << "00:20:00" << 24;
        QTest::newRow("12:59, picture 12") << "12:59:40" << 12;
        QTest::newRow("23:00, picture 23") << "23:00:00" << 23;
    }
    void showsTheHoursPictureThroughTheOval()
    {
        QFETCH(QString, now);
        QFETCH(int, picture);
        Fixture f("06:10:00");
        f.passAt(qPrintable(now));
        const QImage expected(PerrinClock::picturePath(picture));
        QVERIFY(!expected.isNull());
        const QImage shot = f.shot();
        // The picture lies 13 px up and left of the window.
        for (const QPoint at : InsideOval)
            QCOMPARE(shot.pixelColor(at), expected.pixelColor(at + QPoint(13, 13)));
    }

    // The minutes in dark digits on their white label, on the pale green box; a press with any
    // button on the box, its digits included, swaps on-top and the box's colour.
    void theMinutesBoxIsTheOnTopSwitch_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("left button on the box's edge") << Qt::LeftButton << QPoint(3, 7);
        QTest::newRow("right button on the digits") << Qt::RightButton << QPoint(14, 7);
    }
    void theMinutesBoxIsTheOnTopSwitch()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, at);
        Fixture f;
        auto *minutes = f.box()->findChild<QLabel *>(QStringLiteral("minutlbl"));
        QVERIFY(minutes);
        QCOMPARE(minutes->text(), QStringLiteral("30"));
        QCOMPARE(minutes->pos(), QPoint(9, 0));
        QImage shot = f.shot();
        QCOMPARE(shot.pixelColor(48, 90), PaleGreen);
        int dark = 0;
        for (int x = 55; x < 73; ++x)
            for (int y = 82; y < 97; ++y)
                dark += shot.pixelColor(x, y).lightness() < 100;
        QVERIFY2(dark > 10, "no digits in the minutes box");

        QTest::mousePress(f.box(), button, {}, at);
        QVERIFY(!f.onTop());
        QCOMPARE(f.shot().pixelColor(48, 90), White);
        QTest::mousePress(f.box(), button, {}, at);
        QVERIFY(f.onTop());
        QCOMPARE(f.shot().pixelColor(48, 90), PaleGreen);
    }

    void closingByAnyMeansShowsTheLauncher_data()
    {
        QTest::addColumn<bool>("hotSpot");
        QTest::newRow("double click on the hot spot") << true;
        QTest::newRow("the platform's close") << false;
    }
    void closingByAnyMeansShowsTheLauncher()
    {
        QFETCH(bool, hotSpot);
        Fixture f;
        if (hotSpot)
            QTest::mouseDClick(f.hotSpot(), Qt::LeftButton);
        else
            f.perrin->close();
        f.settle();
        QVERIFY(!f.program.registry().isLoaded(window::Perrin));
        QVERIFY(f.others.events.contains(QStringLiteral("show ") + window::Launcher));
    }
};

QTEST_MAIN(TestPerrinWindow)
#include "tst_perrinwindow.moc"
