#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "clocks/FacePainter.h"
#include "clocks/norvi/NorviClock.h"
#include "settings/SettingsStore.h"
#include "settings/SkinManagerDialog.h"
#include "support/ProgramRig.h"

#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

const QColor Green(0, 255, 0), Blue(0, 0, 255), Red(255, 0, 0), Black(0, 0, 0);
const QColor LightGreen(192, 255, 120), Orange(255, 192, 128), LightYellow(255, 255, 192);

// The middle of a lamp given in twips within the panel, as a pixel of the window.
QPoint lampAt(int left, int top, int width, int height)
{
    return twipsRect(QRect(left + 90, top + 60, width, height)).center();
}
QPoint secondsUnits(int k) { return lampAt(420, 2670 - 150 * k, 105, 135); }
QPoint secondsTens(int k) { return lampAt(420, 1110 - 150 * k, 105, 135); }
QPoint minutesUnits(int k) { return lampAt(690, 2670 - 150 * k, 105, 135); }
QPoint minutesTens(int k) { return lampAt(690, 1110 - 150 * k, 105, 135); }

QImage solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TestNorviWindow : public QObject {
    Q_OBJECT

    struct Fixture : ProgramRig {
        Fixture()
            : ProgramRig(QStringLiteral("15:34:27"))
        {}
        ClockWindow *open() { return openClock(Design::Norvi); }
    };

    static void settle() { ProgramRig::settle(); }
    static QColor pixel(ClockWindow *window, QPoint at) { return window->grab().toImage().pixelColor(at); }
    static QColor buttonFace(ClockWindow *window) { return window->palette().color(QPalette::Button); }
    // The seconds-units lamps that show red, bottom first.
    static QList<int> redSeconds(ClockWindow *window)
    {
        const QImage shown = window->grab().toImage();
        QList<int> lit;
        for (int k = 0; k < 10; ++k)
            if (shown.pixelColor(secondsUnits(k)) == Red)
                lit.append(k);
        return lit;
    }
    // Runs `gesture`; answers the name of the menu it popped up, which is closed at once.
    static QString menuPoppedBy(const std::function<void()> &gesture)
    {
        QString popped;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                popped = menu->objectName();
                menu->close();
            }
        });
        watch.start();
        gesture();
        QCoreApplication::processEvents();
        return popped;
    }

private Q_SLOTS:
    void opensOnTopAtItsPlace()
    {
        Fixture f;
        ClockWindow *norvi = f.open();
        QVERIFY(norvi);
        QCOMPARE(norvi->geometry(), QRect(675, 18, 92, 224));
        QVERIFY(norvi->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(norvi->windowFlags() & Qt::FramelessWindowHint);
    }

    // At 15:34:27, opened in the afternoon.
    void whatTheFaceShows_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour"); // invalid: the button face
        // clang-format off
        QTest::newRow("III lit") << lampAt(900, 1350, 135, 405) << Green;
        QTest::newRow("II cleared") << lampAt(900, 840, 135, 405) << QColor();
        QTest::newRow("XII unlit") << lampAt(360, 150, 495, 135) << QColor();
        QTest::newRow("minutes tens, bottom") << minutesTens(0) << Blue;
        QTest::newRow("minutes tens, third") << minutesTens(2) << Blue;
        QTest::newRow("minutes tens, fourth unlit") << minutesTens(3) << QColor();
        QTest::newRow("minutes units 1") << minutesUnits(1) << Blue;
        QTest::newRow("minutes units 4") << minutesUnits(4) << Blue;
        QTest::newRow("minutes units 5 unlit") << minutesUnits(5) << QColor();
        QTest::newRow("afternoon indicator") << minutesUnits(0) << QColor(0, 0, 100);
        QTest::newRow("hidden minutes cell shows the panel") << lampAt(930, 2850, 105, 135) << Black;
        QTest::newRow("seconds tens, second") << secondsTens(1) << Red;
        QTest::newRow("seconds tens, third unlit") << secondsTens(2) << QColor();
        QTest::newRow("seconds units 7") << secondsUnits(7) << Red;
        QTest::newRow("seconds units 6 unlit") << secondsUnits(6) << QColor();
        QTest::newRow("panel without its picture") << QPoint(45, 150) << Black;
        QTest::newRow("frame without its picture") << QPoint(2, 2) << Black;
        QTest::newRow("Preferences") << twipsRect(QRect(120, 3270, 195, 105)).center() << Orange;
        QTest::newRow("Secs/No Secs") << twipsRect(QRect(360, 3270, 195, 105)).center() << LightYellow;
        QTest::newRow("Quit") << twipsRect(QRect(630, 3270, 195, 105)).center() << Red;
        QTest::newRow("onTop") << twipsRect(QRect(840, 3270, 195, 105)).center() << LightGreen;
        QTest::newRow("Move") << twipsRect(QRect(1080, 3270, 195, 105)).center() << LightGreen;
        // clang-format on
    }
    void whatTheFaceShows()
    {
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        Fixture f;
        ClockWindow *norvi = f.open();
        QCOMPARE(pixel(norvi, at), colour.isValid() ? colour : buttonFace(norvi));
    }

    void preferencesOpensTheMenuOnAClick()
    {
        Fixture f;
        ClockWindow *norvi = f.open();
        QWidget *preferences = norvi->button(norvi::control::Preferences);
        QCOMPARE(menuPoppedBy([&] { QTest::mousePress(preferences, Qt::LeftButton); }), QString());
        QCOMPARE(menuPoppedBy([&] { QTest::mouseRelease(preferences, Qt::LeftButton); }),
                 QStringLiteral("NorviPreferences"));
        QVERIFY(f.program.registry().isLoaded(window::Norvi));
        QStringList names;
        for (const auto &[name, state] : norvi->menuItems())
            names.append(name);
        QCOMPARE(names, (QStringList{"Helpmnu", "SkinManager", "Sounds", "SoundOn", "SoundOff", "", "About",
                                     "QuitNorvi"}));
    }

    void quitOnAPress()
    {
        Fixture f;
        ClockWindow *norvi = f.open();
        QTest::mousePress(norvi->button(norvi::control::Quit), Qt::RightButton);
        QVERIFY(f.player().log.contains("Close")); // read before the window and its player go
        settle();
        QCOMPARE(f.program.registry().loaded(), QStringList{window::Launcher});
    }

    void onTopTogglesOnAPress()
    {
        Fixture f;
        ClockWindow *norvi = f.open();
        const QPoint onTop = twipsRect(QRect(840, 3270, 195, 105)).center();
        QTest::mousePress(norvi->button(norvi::control::OnTop), Qt::MiddleButton);
        QVERIFY(!norvi->clock().frame().isOnTop());
        QCOMPARE(pixel(norvi, onTop), Red);
        QTest::mousePress(norvi->button(norvi::control::OnTop), Qt::LeftButton);
        QCOMPARE(pixel(norvi, onTop), LightGreen);
    }

    // Opened at 15:34:27. What the seconds-units lamps show must be the current second (or
    // nothing while the seconds are off) right away, not one pass later.
    void secondsShowOnlyTheCurrentSecond_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QList<int>>("red");
        // clang-format off
        QTest::newRow("a late pass skips a second") << "late" << QList<int>{9};
        QTest::newRow("switched off on a press") << "off" << QList<int>{};
        QTest::newRow("switched on again on a press") << "off on" << QList<int>{8};
        QTest::newRow("a drag while the seconds are off") << "off drag" << QList<int>{};
        QTest::newRow("a drag while the seconds are shown") << "drag" << QList<int>{9};
        QTest::newRow("a reload") << "reload" << QList<int>{8};
        // clang-format on
    }
    void secondsShowOnlyTheCurrentSecond()
    {
        QFETCH(QString, how);
        QFETCH(QList<int>, red);
        Fixture f;
        ClockWindow *norvi = f.open();
        QWidget *seconds = norvi->button(norvi::control::Seconds);
        QCOMPARE(redSeconds(norvi), QList<int>{7});
        const QStringList steps = how.split(u' ');
        if (steps.contains(u"late"))
            f.passAt("15:34:29");
        if (steps.contains(u"off"))
            QTest::mousePress(seconds, Qt::LeftButton);
        if (steps.contains(u"on")) {
            f.passAt("15:34:28");
            QTest::mousePress(seconds, Qt::RightButton);
        }
        if (steps.contains(u"drag")) {
            f.passAt("15:34:28");
            f.platform.clock.now = QStringLiteral("15:34:29");
            QWidget *move = norvi->button(norvi::control::Move);
            QTest::mousePress(move, Qt::LeftButton);
            QTest::mouseRelease(move, Qt::LeftButton); // the drag ends
        }
        if (steps.contains(u"reload")) {
            f.platform.clock.now = QStringLiteral("15:34:28");
            norvi->clock().refresh().raise();
            f.ticker().elapse();
        }
        QCOMPARE(redSeconds(norvi), red);
        if (steps.contains(u"on")) // the tens bar is painted again at once
            QCOMPARE(pixel(norvi, secondsTens(1)), Red);
    }

    void picturesAtTheirOwnSize()
    {
        Fixture f;
        const QString frame = f.folder.file("frame.png"), centre = f.folder.file("centre.png");
        QVERIFY(solid({40, 60}, QColor(10, 20, 30)).save(frame));
        QVERIFY(solid({30, 30}, QColor(200, 100, 50)).save(centre));
        const SettingsStore store(DataFolders(f.folder.path()));
        QVERIFY(store.writeSkin(Design::Norvi, {frame, centre}).ok());
        ClockWindow *norvi = f.open();
        QVERIFY(f.platform.warnings.isEmpty());
        const auto check = [&] {
            QCOMPARE(pixel(norvi, {2, 30}), QColor(10, 20, 30));  // the frame, from the top-left
            QCOMPARE(pixel(norvi, {2, 100}), Black);              // not stretched
            QCOMPARE(pixel(norvi, {8, 6}), QColor(200, 100, 50)); // the centre, from the panel's corner
            QCOMPARE(pixel(norvi, {8, 60}), Black);
        };
        check();

        // Empty paths keep the pictures shown, and say nothing.
        TempProgramFolder::write(f.folder.file("Settings/norvipref.prf"), "\r\n\r\n");
        norvi->clock().refresh().raise();
        f.ticker().elapse();
        QVERIFY(norvi->hasPicture(0) && norvi->hasPicture(1));
        check();
        QVERIFY2(f.platform.warnings.isEmpty(), qPrintable(f.platform.warnings.join(u'\n')));

        // A photo far larger than the window: the window keeps only what it can show, and shows
        // it from the top-left down to its own bottom edge.
        QImage photo = solid({3000, 2000}, QColor(10, 20, 30));
        photo.setPixelColor(1, 222, QColor(250, 0, 0));
        QVERIFY(photo.save(frame));
        TempProgramFolder::write(f.folder.file("Settings/norvipref.prf"),
                                 QString(frame + "\r\n" + centre + "\r\n").toUtf8());
        norvi->clock().refresh().raise();
        f.ticker().elapse();
        QCOMPARE(pixel(norvi, {2, 100}), QColor(10, 20, 30));
        QCOMPARE(pixel(norvi, {1, 222}), QColor(250, 0, 0));
        QCOMPARE(pixel(norvi, {8, 6}), QColor(200, 100, 50));
    }
};

QTEST_MAIN(TestNorviWindow)
#include "tst_norviwindow.moc"
