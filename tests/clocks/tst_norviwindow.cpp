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

    void tipsNameTheHoursAndTheButtons()
    {
        Fixture f;
        ClockWindow *norvi = f.open();
        // clang-format off
        const std::vector<std::pair<QRect, const char *>> hours = {
            {{360, 150, 495, 135}, "XII"}, {{900, 360, 135, 405}, "I"}, {{900, 840, 135, 405}, "II"},
            {{900, 1350, 135, 405}, "III"}, {{900, 1860, 135, 405}, "IV"}, {{900, 2370, 135, 405}, "V"},
            {{360, 2880, 495, 135}, "VI"}, {{150, 2370, 135, 405}, "VII"}, {{150, 1860, 135, 405}, "VIII"},
            {{150, 1350, 135, 405}, "IX"}, {{150, 840, 135, 405}, "X"}, {{150, 360, 135, 405}, "XI"}};
        // clang-format on
        for (const auto &[place, tip] : hours) {
            const QPoint at = lampAt(place.x(), place.y(), place.width(), place.height());
            QCOMPARE(FacePainter::tipAt(norvi->clock().face(), at), QString::fromLatin1(tip));
        }
        const std::vector<std::pair<const char *, const char *>> buttons = {{"Picture11", "Preferences"},
                                                                            {"Picture9", "Secs/No Secs"},
                                                                            {"Picture8", "Quit"},
                                                                            {"Picture7", "onTop"},
                                                                            {"Picture6", "Move"}};
        for (const auto &[name, tip] : buttons)
            QCOMPARE(norvi->button(QString::fromLatin1(name))->toolTip(), QString::fromLatin1(tip));
    }

    void preferencesOpensTheMenuOnAClick()
    {
        Fixture f;
        ClockWindow *norvi = f.open();
        QWidget *preferences = norvi->button(QStringLiteral("Picture11"));
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
        QTest::mousePress(norvi->button(QStringLiteral("Picture8")), Qt::RightButton);
        QVERIFY(f.player().log.contains("Close")); // read before the window and its player go
        settle();
        QCOMPARE(f.program.registry().loaded(), QStringList{window::Launcher});
    }

    void closingShowsTheLauncher()
    {
        Fixture f;
        ClockWindow *norvi = f.open();
        norvi->close();
        settle();
        QCOMPARE(f.program.registry().loaded(), QStringList{window::Launcher});
        QVERIFY(f.others.events.contains(QStringLiteral("show ") + window::Launcher));
        QVERIFY(!f.program.ticker().isRunning());
    }

    void onTopTogglesOnAPress()
    {
        Fixture f;
        ClockWindow *norvi = f.open();
        const QPoint onTop = twipsRect(QRect(840, 3270, 195, 105)).center();
        QTest::mousePress(norvi->button(QStringLiteral("Picture7")), Qt::MiddleButton);
        QVERIFY(!norvi->clock().frame().isOnTop());
        QCOMPARE(pixel(norvi, onTop), Red);
        QTest::mousePress(norvi->button(QStringLiteral("Picture7")), Qt::LeftButton);
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
        QWidget *seconds = norvi->button(QStringLiteral("Picture9"));
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
            QWidget *move = norvi->button(QStringLiteral("Picture6"));
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
    }

    void missingPicturesAreSaidOncePerLoadAndTheClockTicksOn()
    {
        Fixture f; // the test folder has neither default picture
        ClockWindow *norvi = f.open();
        QVERIFY(!norvi->hasPicture(0) && !norvi->hasPicture(1));
        QCOMPARE(f.platform.warnings.size(), 2);
        QVERIFY(f.platform.warnings[0].contains(QStringLiteral("butnrock-3d.jpg")));
        QVERIFY(f.platform.warnings[1].contains(QStringLiteral("plum.jpg")));
        norvi->clock().refresh().raise();
        f.passAt("15:34:28");
        QCOMPARE(f.platform.warnings.size(), 2);
        QCOMPARE(redSeconds(norvi), QList<int>{8});
    }

    void aMissingSettingsFileGivesDefaultsAndIsNotWritten()
    {
        Fixture f;
        const QString skinFile = f.folder.file("Settings/norvipref.prf");
        QVERIFY(QFile::remove(skinFile));
        ClockWindow *norvi = f.open();
        QVERIFY(!f.platform.warnings.isEmpty());
        QVERIFY(f.platform.warnings.front().contains(QStringLiteral("norvipref.prf")));
        QCOMPARE(norvi->clock().pictures().value(1), f.folder.file("Skins/norvi/plum.jpg"));
        f.passAt("15:34:28");
        QCOMPARE(redSeconds(norvi), QList<int>{8});
        QVERIFY(!QFile::exists(skinFile));
    }

    void skinManagerSendsCloseAndReloadsTheClockOnce_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Ok") << "Ok";
        QTest::newRow("Cancel") << "Cancel";
    }
    void skinManagerSendsCloseAndReloadsTheClockOnce()
    {
        QFETCH(QString, way);
        Fixture f;
        ClockWindow *norvi = f.open();
        RecordingPlayer &clockPlayer = f.player();
        norvi->clock().frame().chooseMenuItem(QStringLiteral("SkinManager"));
        QCOMPARE(clockPlayer.log.last(), QStringLiteral("close"));
        auto *handle =
            dynamic_cast<WidgetWindow *>(f.program.registry().window(QStringLiteral("norviprefs")));
        QVERIFY(handle);
        auto *dialog = qobject_cast<SkinManagerDialog *>(handle->widget());
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("norvi Skin Manager"));
        QTest::mouseClick(dialog->button(way), Qt::LeftButton);
        settle();
        QVERIFY(!f.program.registry().isLoaded(QStringLiteral("norviprefs")));

        const auto prepares = [&] { return clockPlayer.log.filter(QRegularExpression("^prepare ")).size(); };
        QCOMPARE(prepares(), 1);
        f.ticker().elapse(); // the pass asked for at once
        f.passAt("15:34:28");
        QCOMPARE(prepares(), 2);
        QVERIFY(norvi->clock().refresh().carrier().isEmpty());
    }

    void chimesWithPlayInSecondZero()
    {
        Fixture f;
        f.platform.clock.now = QStringLiteral("15:34:58");
        f.open();
        f.player().log.clear();
        f.passAt("15:34:59");
        f.passAt("15:35:00");
        f.passAt("15:35:01");
        QCOMPARE(f.player().log, (QStringList{"Open", "play"}));
    }
};

QTEST_MAIN(TestNorviWindow)
#include "tst_norviwindow.moc"
