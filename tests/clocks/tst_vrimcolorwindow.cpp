#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "clocks/FacePainter.h"
#include "clocks/vrimcolor/VrimcolorClock.h"
#include "settings/SettingsStore.h"
#include "settings/SkinManagerDialog.h"
#include "support/ProgramRig.h"
#include "ui/WidgetWindow.h"

#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

const QColor Navy(0, 0, 128), Red(255, 0, 0), White(255, 255, 255), LightGreen(192, 255, 120);
const QColor Morning(0, 136, 0), Afternoon(125, 255, 125);

// A point of the hour square given in its own twips, as a pixel of the window.
QPoint inSquare(int x, int y) { return twipsRect(QRect(480 + x, 480 + y, 0, 0)).topLeft(); }

} // namespace

// The Vrimcolor clock in its real window: where its bars, figure and buttons are and what
// colour they show, read from the pixels a user would see, and what its push buttons do.
class TestVrimcolorWindow : public QObject {
    Q_OBJECT

    struct Fixture : ProgramRig {
        ClockWindow *vrim = nullptr;

        Fixture()
            : ProgramRig(QStringLiteral("09:30:03"))
        {}
        ClockWindow *open()
        {
            vrim = openClock(Design::Vrimcolor);
            return vrim;
        }
        QImage shown() const { return vrim->grab().toImage(); }
        QColor pixel(QPoint at) const { return shown().pixelColor(at); }
        QColor buttonFace() const { return vrim->palette().color(QPalette::Button); }
    };

    static void settle() { ProgramRig::settle(); }
    static auto menuPoppedBy(const std::function<void()> &gesture)
    {
        return ProgramRig::menuPoppedBy(gesture);
    }

private Q_SLOTS:
    void opensAtItsPlaceWithItsButtons()
    {
        Fixture f;
        ClockWindow *vrim = f.open();
        QVERIFY(vrim);
        QCOMPARE(vrim->geometry(), QRect(658, 457, 117, 117));
        QVERIFY(vrim->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(vrim->windowFlags() & Qt::FramelessWindowHint);
        const struct {
            QString name;
            QRect place;
            const char *tip;
            bool push;
        } buttons[] = {{vrimcolor::control::Move, {20, 16, 13, 7}, "Move", false},
                       {vrimcolor::control::OnTop, {20, 6, 13, 7}, "onTop", false},
                       {vrimcolor::control::Preferences, {40, 8, 5, 13}, "Preferences", true},
                       {vrimcolor::control::Quit, {10, 8, 5, 13}, "Quit", true}};
        for (const auto &button : buttons) {
            QWidget *widget = vrim->button(button.name);
            QVERIFY(widget);
            QCOMPARE(widget->geometry(), button.place);
            QCOMPARE(widget->toolTip(), QString::fromLatin1(button.tip));
            QCOMPARE(qobject_cast<QPushButton *>(widget) != nullptr, button.push);
        }
        const Face &face = vrim->clock().face();
        QCOMPARE(FacePainter::tipAt(face, QPoint(60, 60)), QStringLiteral("Hours"));
        QCOMPARE(FacePainter::tipAt(face, QPoint(19, 45)), QStringLiteral("Minutes"));
        QCOMPARE(FacePainter::tipAt(face, QPoint(99, 45)), QStringLiteral("minutes"));
        QCOMPARE(FacePainter::tipAt(face, QPoint(60, 100)), QStringLiteral("Seconds"));
    }

    // 09:30:03: the tens bar half full from the bottom, the units bar empty, 3 of 60 seconds;
    // 10:59:59: the minute bars one step short of full.
    void barsFillFromTheirStart_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("expected"); // invalid: the button face
        const QColor face;
        // clang-format off
        QTest::newRow("09:30:03 tens: filled at the bottom") << "09:30:03" << QPoint(19, 82) << Navy;
        QTest::newRow("09:30:03 tens: filled just below half") << "09:30:03" << QPoint(19, 63) << Navy;
        QTest::newRow("09:30:03 tens: empty above half") << "09:30:03" << QPoint(19, 57) << face;
        QTest::newRow("09:30:03 tens: empty at the top") << "09:30:03" << QPoint(19, 37) << face;
        QTest::newRow("09:30:03 units: empty at the bottom") << "09:30:03" << QPoint(99, 85) << face;
        QTest::newRow("09:30:03 seconds: filled at the left") << "09:30:03" << QPoint(11, 100) << Navy;
        QTest::newRow("09:30:03 seconds: empty beyond 3") << "09:30:03" << QPoint(16, 100) << face;
        QTest::newRow("09:30:03 seconds: empty at the right") << "09:30:03" << QPoint(105, 100) << face;
        QTest::newRow("10:59:59 tens: filled up to 5 of 6") << "10:59:59" << QPoint(19, 45) << Navy;
        QTest::newRow("10:59:59 tens: the top sixth empty") << "10:59:59" << QPoint(19, 38) << face;
        QTest::newRow("10:59:59 units: filled up to 9 of 10") << "10:59:59" << QPoint(99, 22) << Navy;
        QTest::newRow("10:59:59 units: the top tenth empty") << "10:59:59" << QPoint(99, 14) << face;
        QTest::newRow("10:59:59 seconds: filled to 59") << "10:59:59" << QPoint(106, 100) << Navy;
        QTest::newRow("10:59:59 seconds: the last step empty") << "10:59:59" << QPoint(109, 100) << face;
        // clang-format on
    }
    void barsFillFromTheirStart()
    {
        QFETCH(QString, time);
        QFETCH(QPoint, at);
        QFETCH(QColor, expected);
        Fixture f;
        f.platform.clock.now = time;
        QVERIFY(f.open());
        QCOMPARE(f.pixel(at), expected.isValid() ? expected : f.buttonFace());
    }

    // The hour's line thick and red, the others thin and dark, on the white square.
    void hourFigure_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QPoint>("red");   // a pixel of the marked line
        QTest::addColumn<QPoint>("thin");  // a pixel beside the middle of an unmarked line
        QTest::addColumn<QPoint>("blank"); // where another group puts a line
        // clang-format off
        QTest::newRow("noon: Line13 at the left") << "12:00:02" << inSquare(30, 200) << inSquare(360, 150) << inSquare(720, 200);
        QTest::newRow("13:00: Line15 in the middle") << "13:00:00" << inSquare(360, 150) << inSquare(30, 200) << inSquare(360, 600);
        QTest::newRow("09:30: Line14 along the bottom") << "09:30:03" << inSquare(180, 720) << inSquare(720, 200) << inSquare(600, 720);
        QTest::newRow("18:10: Line13 at the lower right") << "18:10:00" << inSquare(720, 600) << inSquare(180, 30) << inSquare(30, 600);
        // clang-format on
    }
    void hourFigure()
    {
        QFETCH(QString, time);
        QFETCH(QPoint, red);
        QFETCH(QPoint, thin);
        QFETCH(QPoint, blank);
        Fixture f;
        f.platform.clock.now = time;
        QVERIFY(f.open());
        const QImage shown = f.shown();
        // Two pixels wide: the one on each side of the line's axis.
        const QPoint across = red.x() == inSquare(30, 0).x() || red.x() == inSquare(360, 0).x() ||
                                      red.x() == inSquare(720, 0).x()
                                  ? QPoint(-1, 0)
                                  : QPoint(0, -1);
        QCOMPARE(shown.pixelColor(red), Red);
        QCOMPARE(shown.pixelColor(red + across), Red);
        // A thin black line straddles two pixels; together they are dark, and neither is red.
        const QPoint side = thin.x() == inSquare(30, 0).x() || thin.x() == inSquare(360, 0).x() ||
                                    thin.x() == inSquare(720, 0).x()
                                ? QPoint(-1, 0)
                                : QPoint(0, -1);
        const QColor a = shown.pixelColor(thin), b = shown.pixelColor(thin + side);
        QVERIFY2(a.lightness() + b.lightness() < 300,
                 qPrintable(QStringLiteral("%1 %2").arg(a.name(), b.name())));
        QCOMPARE(a.red(), a.green());
        QCOMPARE(b.red(), b.green());
        QCOMPARE(shown.pixelColor(blank), White);
        QCOMPARE(shown.pixelColor(blank + QPoint(-1, -1)), White);
    }

    // From 11:59:59 to 12:00:00 the figure moves to its new place and only Line13 stays red.
    void theHourChangeLeavesOneRedLine()
    {
        Fixture f;
        f.platform.clock.now = QStringLiteral("11:59:58");
        QVERIFY(f.open());
        f.passAt("11:59:59");
        QCOMPARE(f.pixel(inSquare(360, 150)), Red); // Line15, group A
        f.passAt("12:00:00");
        QCOMPARE(f.pixel(inSquare(30, 200)), Red);
        int red = 0;
        const QImage shown = f.shown();
        for (int y = 32; y < 87; ++y)
            for (int x = 32; x < 87; ++x)
                red += shown.pixelColor(x, y) == Red ? 1 : 0;
        // Line13 alone: two pixels wide, the height of the line and its caps.
        QVERIFY2(red > 40 && red < 64, qPrintable(QString::number(red)));
    }

    void lampTellsMorningFromAfternoon_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QColor>("lamp");
        QTest::newRow("12:59: still morning") << "12:59:59" << Morning;
        QTest::newRow("13:00: afternoon") << "13:00:00" << Afternoon;
        QTest::newRow("00:30: morning") << "00:30:00" << Morning;
    }
    void lampTellsMorningFromAfternoon()
    {
        QFETCH(QString, time);
        QFETCH(QColor, lamp);
        Fixture f;
        f.platform.clock.now = QStringLiteral("12:59:58");
        QVERIFY(f.open());
        QCOMPARE(f.pixel(QPoint(26, 19)), Morning);
        f.passAt(qPrintable(time));
        QCOMPARE(f.pixel(QPoint(26, 19)), lamp);
        QCOMPARE(f.pixel(QPoint(26, 9)), LightGreen); // on top
    }

    void preferencesOpensTheMenuOnAClick()
    {
        Fixture f;
        ClockWindow *vrim = f.open();
        auto *preferences = vrim->button(vrimcolor::control::Preferences);
        QCOMPARE(menuPoppedBy([&] { QTest::mousePress(preferences, Qt::LeftButton); }).first, QString());
        const auto [popped, items] = menuPoppedBy([&] { QTest::mouseRelease(preferences, Qt::LeftButton); });
        QCOMPARE(popped, QStringLiteral("prefs"));
        QCOMPARE(items, (QStringList{"Help", "Skin Manager", "Sound", "-", "About", "Quit"}));
    }

    void quitOnAClick()
    {
        Fixture f;
        ClockWindow *vrim = f.open();
        QWidget *quit = vrim->button(vrimcolor::control::Quit);
        QTest::mousePress(quit, Qt::LeftButton);
        QVERIFY(!f.player().log.contains("Close"));
        QTest::mouseRelease(quit, Qt::LeftButton);
        QVERIFY(f.player().log.contains("Close")); // read before the window and its player go
        settle();
        QCOMPARE(f.program.registry().loaded(), QStringList{window::Launcher});
    }

    void theSkinAtItsOwnSizeBehindTheFace()
    {
        Fixture f;
        QImage picture(20, 20, QImage::Format_RGB32);
        picture.fill(QColor(250, 20, 200));
        const QString path = f.folder.file("Skins/pink.png");
        QVERIFY(QDir().mkpath(f.folder.file("Skins")));
        QVERIFY(picture.save(path));
        QVERIFY(SettingsStore(DataFolders(f.folder.path())).writeSkin(Design::Vrimcolor, {path, {}}).ok());
        ClockWindow *vrim = f.open();
        QVERIFY(vrim->hasPicture());
        QCOMPARE(f.pixel(QPoint(3, 3)), QColor(250, 20, 200));
        QCOMPARE(f.pixel(QPoint(3, 25)), f.buttonFace()); // not stretched
        QVERIFY(f.platform.warnings.isEmpty());
    }
    void skinManagerThenReloadAtTheNextTick()
    {
        Fixture f;
        ClockWindow *vrim = f.open();
        RecordingPlayer &player = f.player();
        const QString sound = QStringLiteral("prepare ") + f.folder.file("Sounds/iauu.wav");
        QCOMPARE(player.log, QStringList{sound});
        player.log.clear();

        vrim->clock().frame().chooseMenuItem(QStringLiteral("SkinMgr"));
        QCOMPARE(player.log, QStringList{"close"});
        auto *handle = dynamic_cast<WidgetWindow *>(f.program.registry().window(QStringLiteral("vrimprefs")));
        auto *dialog = handle ? qobject_cast<SkinManagerDialog *>(handle->widget()) : nullptr;
        QVERIFY(dialog);
        QTest::mouseClick(dialog->button(QStringLiteral("Ok")), Qt::LeftButton);
        settle();
        QVERIFY(!f.program.registry().isLoaded(QStringLiteral("vrimprefs")));
        QCOMPARE(player.log, QStringList{"close"});
        f.passAt("09:30:04");
        // The sample closes the player, which is prepared again for the chimes to come.
        QCOMPARE(player.log, (QStringList{"close", "close", sound, "Open", "Play", "Close", sound}));
        f.passAt("09:30:05");
        QCOMPARE(player.log.size(), 7);
        QCOMPARE(f.pixel(QPoint(11, 100)), Navy); // the face goes on
    }
};

QTEST_MAIN(TestVrimcolorWindow)
#include "tst_vrimcolorwindow.moc"
