#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "clocks/FacePainter.h"
#include "clocks/quenz/QuenzClock.h"
#include "settings/SettingsStore.h"
#include "settings/SkinManagerDialog.h"
#include "support/ProgramRig.h"

#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

// The Quenz clock in its real window: where its parts are and what colour they show, read from
// the pixels a user would see, and what its edge strips do.
class TestQuenzWindow : public QObject {
    Q_OBJECT

    struct Fixture : ProgramRig {
        ClockWindow *quenz = nullptr;

        Fixture()
            : ProgramRig(QStringLiteral("10:20:05"))
        {}
        // Opens the clock and runs its first tick, which loads the skin and the sound.
        ClockWindow *open()
        {
            quenz = openClock(Design::Quenz);
            // The reload its load asks for comes at once, not at the next second.
            if (quenz && platform.timers.front()->interval() == 0)
                tick();
            return quenz;
        }
        void tick() { platform.timers.front()->elapse(); }
        QColor pixel(QPoint at) const { return quenz->grab().toImage().pixelColor(at); }
        QColor buttonFace() const { return quenz->palette().color(QPalette::Button); }
    };

    static void settle() { ProgramRig::settle(); }
    static QColor colour(ColourValue value) { return QColor(redOf(value), greenOf(value), blueOf(value)); }

private Q_SLOTS:
    void opensAtItsPlace()
    {
        Fixture f;
        ClockWindow *quenz = f.open();
        QVERIFY(quenz);
        QCOMPARE(quenz->geometry(), QRect(616, 415, 158, 161));
        QVERIFY(quenz->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(quenz->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(quenz->button(quenz::control::Move)->geometry(), QRect(0, 156, 159, 5));
        QCOMPARE(quenz->button(quenz::control::OnTop)->geometry(), QRect(152, -2, 7, 158));
        QCOMPARE(quenz->button(quenz::control::Preferences)->geometry(), QRect(0, 144, 5, 13));
        for (const auto &[name, tip] :
             {std::pair{quenz::control::Move, "Move"}, std::pair{quenz::control::OnTop, "onTop"},
              std::pair{quenz::control::Preferences, "Preferences"}})
            QCOMPARE(quenz->button(name)->toolTip(), QString::fromLatin1(tip));
        QCOMPARE(quenz->button(quenz::control::Move)->palette().color(QPalette::Window), QColor(0, 0, 0));
        // The test folder has no pictures: the default skin is missing, which is said once.
        QCOMPARE(f.platform.warnings.size(), 1);
        QVERIFY(f.platform.warnings.front().contains(QStringLiteral("dunga-3d.jpg")));
    }

    void facePixels_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("expected"); // invalid: the button face
        const QColor blue(0, 0, 255), second(205, 10, 0), darkGrey(64, 64, 64), face;
        // clang-format off
        QTest::newRow("10 o'clock: the 10 bar blue") << "10:20:05" << QPoint(5, 50) << blue;
        QTest::newRow("10 o'clock: its marker blue") << "10:20:05" << QPoint(17, 50) << blue;
        QTest::newRow("second 5: marker 0 in the 1 bar") << "10:20:05" << QPoint(119, 21) << second;
        QTest::newRow("second 5: the 1 bar itself unlit") << "10:20:05" << QPoint(105, 21) << face;
        QTest::newRow("second 0: marker 11 in the 12 bar") << "10:20:00" << QPoint(71, 21) << second;
        QTest::newRow("another hour's bar unlit") << "10:20:05" << QPoint(105, 126) << face;
        QTest::newRow("another hour's marker unlit") << "10:20:05" << QPoint(119, 125) << face;
        QTest::newRow("the 3 bar, grey at design, cleared") << "10:20:05" << QPoint(125, 74) << face;
        QTest::newRow("15 o'clock: the 3 bar blue") << "15:20:05" << QPoint(125, 74) << blue;
        QTest::newRow("morning dot") << "10:20:05" << QPoint(72, 46) << QColor(0, 0, 255);
        QTest::newRow("afternoon dot") << "15:20:05" << QPoint(72, 46) << QColor(0, 0, 100);
        QTest::newRow("the minutes on navy") << "10:20:05" << QPoint(59, 63) << QColor(0, 0, 128);
        QTest::newRow("the centre box black") << "10:20:05" << QPoint(57, 59) << QColor(0, 0, 0);
        QTest::newRow("Line2 along the top") << "10:20:05" << QPoint(80, 1) << darkGrey;
        QTest::newRow("the menu strip, left edge") << "10:20:05" << QPoint(2, 150) << darkGrey;
        QTest::newRow("the on-top strip, on top") << "10:20:05" << QPoint(155, 80) << darkGrey;
        QTest::newRow("the background black") << "10:20:05" << QPoint(40, 108) << QColor(0, 0, 0);
        // clang-format on
    }
    void facePixels()
    {
        QFETCH(QString, time);
        QFETCH(QPoint, at);
        QFETCH(QColor, expected);
        Fixture f;
        f.platform.clock.now = time;
        QVERIFY(f.open());
        QCOMPARE(f.pixel(at), expected.isValid() ? expected : f.buttonFace());
    }

    void minutesAndTipsWhereTheyShow()
    {
        Fixture f;
        ClockWindow *quenz = f.open();
        const auto &face = static_cast<QuenzClock &>(quenz->clock()).quenzFace();
        QCOMPARE(face.minutesText(), QStringLiteral("20"));
        // The text is drawn inside the navy box: light ink there, none at its corner.
        const QImage shown = quenz->grab().toImage();
        int inked = 0;
        for (int y = 62; y < 87; ++y)
            for (int x = 58; x < 83; ++x)
                inked += shown.pixelColor(x, y).red() > 150 ? 1 : 0;
        QVERIFY2(inked > 20, qPrintable(QString::number(inked)));
        QCOMPARE(FacePainter::tipAt(quenz->clock().face(), QPoint(105, 21)), QStringLiteral("1"));
        QCOMPARE(FacePainter::tipAt(quenz->clock().face(), QPoint(71, 21)), QStringLiteral("0"));
        QCOMPARE(FacePainter::tipAt(quenz->clock().face(), QPoint(17, 50)), QStringLiteral("50"));
        QCOMPARE(FacePainter::tipAt(quenz->clock().face(), QPoint(70, 75)), QStringLiteral("Minutes"));
    }

    void theSkinAtItsOwnSizeAndAnEmptyPathClearsIt()
    {
        Fixture f;
        QImage picture(40, 40, QImage::Format_RGB32);
        picture.fill(QColor(250, 20, 20));
        const QString path = f.folder.file("Skins/red.png");
        QVERIFY(QDir().mkpath(f.folder.file("Skins")));
        QVERIFY(picture.save(path));
        SettingsStore store{DataFolders(f.folder.path())};
        QVERIFY(store.writeSkin(Design::Quenz, {path, {}}).ok());
        ClockWindow *quenz = f.open();
        QVERIFY(quenz->hasPicture());
        QCOMPARE(f.pixel(QPoint(30, 8)), QColor(250, 20, 20));
        QCOMPARE(f.pixel(QPoint(50, 8)), QColor(0, 0, 0)); // not stretched to the window

        QVERIFY(store.writeSkin(Design::Quenz, {QString(), {}}).ok());
        quenz->clock().refresh().raise();
        f.tick();
        QVERIFY(!quenz->hasPicture());
        QCOMPARE(f.pixel(QPoint(30, 8)), QColor(0, 0, 0));
        QVERIFY(f.platform.warnings.isEmpty());
    }

    void menuStripOpensTheMenuWithAnyButton_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void menuStripOpensTheMenuWithAnyButton()
    {
        QFETCH(Qt::MouseButton, button);
        Fixture f;
        ClockWindow *quenz = f.open();
        QString popped;
        QStringList items;
        QTimer::singleShot(0, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                popped = menu->objectName();
                for (QAction *action : menu->actions())
                    items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
                menu->close();
            }
        });
        QTest::mousePress(quenz->button(quenz::control::Preferences), button);
        QCOMPARE(popped, QStringLiteral("Quenzprefs"));
        QCOMPARE(items, (QStringList{"Help", "Skin Manager", "Sound", "-", "About", "Quit"}));
        QTest::mouseRelease(quenz->button(quenz::control::Preferences), button);
    }

    void onTopStripTogglesWithAnyButton()
    {
        Fixture f;
        ClockWindow *quenz = f.open();
        QTest::mousePress(quenz->button(quenz::control::OnTop), Qt::RightButton);
        QVERIFY(!quenz->clock().frame().isOnTop());
        QCOMPARE(f.pixel(QPoint(155, 80)), QColor(255, 0, 0));
        QTest::mousePress(quenz->button(quenz::control::OnTop), Qt::MiddleButton);
        QVERIFY(quenz->clock().frame().isOnTop());
        QCOMPARE(f.pixel(QPoint(155, 80)), QColor(64, 64, 64));
    }

    void moveStripClickResetsTheFace()
    {
        Fixture f;
        ClockWindow *quenz = f.open();
        const QPoint hourBar(5, 50), secondsMarker(119, 21);
        QCOMPARE(f.pixel(hourBar), QColor(0, 0, 255));
        QCOMPARE(f.pixel(secondsMarker), QColor(205, 10, 0));
        f.platform.clock.now = QStringLiteral("10:20:07");
        QTest::mouseClick(quenz->button(quenz::control::Move), Qt::LeftButton);
        settle();
        // Cleared, and drawn again from the next multiple of five seconds.
        QCOMPARE(f.pixel(hourBar), f.buttonFace());
        QCOMPARE(f.pixel(secondsMarker), f.buttonFace());
        f.platform.clock.now = QStringLiteral("10:20:10");
        f.tick();
        QCOMPARE(f.pixel(hourBar), QColor(0, 0, 255));
        QCOMPARE(f.pixel(QPoint(125, 51)), QColor(205, 10, 0)); // marker 1, in the 2 bar
    }
};

QTEST_MAIN(TestQuenzWindow)
#include "tst_quenzwindow.moc"
