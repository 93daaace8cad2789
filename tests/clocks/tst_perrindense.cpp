#include "clocks/ClockWindow.h"
#include "clocks/perrin/PerrinClock.h"
#include "support/ProgramRig.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

// The Perrin clock on a screen at scale 2 (the test runs with QT_SCALE_FACTOR=2): the oval keeps
// its logical size and the hour's picture is the twice-as-large twin, shown pixel for pixel.
class TestPerrinDense : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theOvalKeepsItsSizeAndThePictureStaysSharp()
    {
        ProgramRig f(QStringLiteral("13:05:00"));
        ClockWindow *perrin = f.openClock(Design::Perrin);
        QVERIFY(perrin);
        QCOMPARE(perrin->devicePixelRatioF(), 2.0);
        QCOMPARE(perrin->size(), QSize(233, 200));
        QCOMPARE(perrin->mask(),
                 QRegion(0, 0, 133, 130, QRegion::Ellipse) - QRegion(1, 1, 19, 9, QRegion::Ellipse));
        const QImage shot = perrin->grab().toImage();
        QCOMPARE(shot.size(), QSize(466, 400));
        const QImage twin(QStringLiteral(":/perrin/hour-13@2x.png"));
        QVERIFY(!twin.isNull());
        for (const QPoint at : {QPoint(61, 61), QPoint(133, 25), QPoint(220, 121), QPoint(133, 241)})
            QCOMPARE(shot.pixelColor(at), twin.pixelColor(at + QPoint(26, 26)));
    }
};

QTEST_MAIN(TestPerrinDense)
#include "tst_perrindense.moc"
