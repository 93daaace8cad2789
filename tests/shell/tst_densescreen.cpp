#include "base/Design.h"
#include "clocks/ClockWindow.h"
#include "shell/LauncherWindow.h"
#include "support/ProgramRig.h"

#include <QScreen>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

// The windows on a small screen at scale 2 (the test runs with QT_SCALE_FACTOR=2 on the offscreen
// platform's 800 by 600 pixels: 400 by 300 points).
class TestDenseScreen : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clocksOpenOnTheScreen_data()
    {
        QTest::addColumn<Design>("design");
        for (const Design design : AllDesigns)
            QTest::newRow(qPrintable(windowOf(design))) << design;
    }
    void clocksOpenOnTheScreen()
    {
        QFETCH(Design, design);
        ProgramRig f(QStringLiteral("13:05:00"));
        ClockWindow *clock = f.openClock(design);
        QVERIFY(clock);
        QCOMPARE(clock->devicePixelRatioF(), 2.0);
        const QRect room = clock->screen()->availableGeometry();
        const QRect place = clock->geometry();
        // Wholly on it where it fits; a window taller or wider than the screen starts at its edge.
        QVERIFY2(place.left() >= room.left() && place.top() >= room.top(), "starts off the screen");
        if (place.width() <= room.width())
            QVERIFY2(place.right() <= room.right(), "ends off the screen to the right");
        if (place.height() <= room.height())
            QVERIFY2(place.bottom() <= room.bottom(), "ends off the screen below");
    }

    // The launcher is drawn from the twice-size twin of its picture, pixel for pixel.
    void launcherShowsItsSharpTwin()
    {
        ProgramRig f(QStringLiteral("13:05:00"));
        LauncherWindow launcher(f.program.registry());
        launcher.show();
        const QImage shot = launcher.grab().toImage();
        const QImage twin(QStringLiteral(":/artwork/launcher@2x.png"));
        QVERIFY(!twin.isNull());
        QCOMPARE(shot.size(), twin.size());
        // The margin left of the bars and the engraved emblem below the help picture.
        for (const QPoint at : {QPoint(9, 400), QPoint(15, 15), QPoint(232, 636), QPoint(222, 622)})
            QCOMPARE(shot.pixelColor(at), twin.pixelColor(at));
    }
};

QTEST_MAIN(TestDenseScreen)
#include "tst_densescreen.moc"
