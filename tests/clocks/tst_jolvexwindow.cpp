#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "clocks/jolvex/JolvexClock.h"
#include "settings/SettingsStore.h"
#include "support/ProgramRig.h"

#include <QDir>
#include <QMenu>
#include <QTimer>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

const QColor Black(0, 0, 0), Pink(255, 0, 255), SecondsRed(176, 23, 31), White(255, 255, 255);
const QColor Background(224, 224, 224);

// Where the parts show, in pixels of the 78 x 50 window. Opened at 10:30:15 the first tick
// leaves the next-hour bar at -231.5 twips in the panel and the lower seconds piece at 128.5:
// the hour boundary falls at y 23, the seconds one at y 15.
const QPoint NextHourAt(15, 12), CurrentHourAt(15, 34), UpperSecondsAt(33, 8), LowerSecondsAt(33, 30);
const QPoint PanelOnlyAt(38, 30), BackgroundAt(45, 40), LedAt(47, 14);

} // namespace

// The Jolvex clock in its real window: where its parts are and what colour they show, read from
// the pixels a user would see; its menu; its display modes on screen.
class TestJolvexWindow : public QObject {
    Q_OBJECT

    struct Fixture : ProgramRig {
        ClockWindow *jolvex = nullptr;

        Fixture()
            : ProgramRig(QStringLiteral("10:30:15"))
        {}
        ClockWindow *open()
        {
            jolvex = openClock(Design::Jolvex);
            return jolvex;
        }
        void tickAt(const char *time)
        {
            platform.clock.now = QString::fromLatin1(time);
            platform.timers.front()->elapse();
        }
        QColor pixel(QPoint at) const { return jolvex->grab().toImage().pixelColor(at); }
        QColor buttonFace() const { return jolvex->palette().color(QPalette::Button); }
        JolvexClock &clock() const { return static_cast<JolvexClock &>(jolvex->clock()); }
    };

    static void settle() { ProgramRig::settle(); }

private Q_SLOTS:
    void opensAtItsPlaceWithItsButtons()
    {
        Fixture f;
        ClockWindow *jolvex = f.open();
        QVERIFY(jolvex);
        QCOMPARE(jolvex->geometry(), QRect(624, 473, 78, 50));
        QVERIFY(jolvex->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(jolvex->button(jolvex::control::OnTop)->geometry(), QRect(56, 6, 17, 9));
        QCOMPARE(jolvex->button(jolvex::control::Preferences)->geometry(), QRect(56, 20, 17, 9));
        QCOMPARE(jolvex->button(jolvex::control::Move)->geometry(), QRect(56, 34, 17, 9));
        QCOMPARE(jolvex->button(jolvex::control::OnTop)->toolTip(), QStringLiteral("onTop"));
        QCOMPARE(jolvex->button(jolvex::control::Preferences)->toolTip(), QStringLiteral("Preferences"));
        QCOMPARE(jolvex->button(jolvex::control::Move)->toolTip(), QStringLiteral("Move"));
        QCOMPARE(f.pixel(QPoint(64, 10)), QColor(192, 255, 120));
        QCOMPARE(f.pixel(QPoint(64, 24)), QColor(255, 255, 192));
        QCOMPARE(f.pixel(QPoint(64, 38)), QColor(0, 255, 0));
        // The test folder has no pictures: the default skin is missing, which is said once.
        QCOMPARE(f.platform.warnings.size(), 1);
        QVERIFY(f.platform.warnings.front().contains(QStringLiteral("blueplic.jpg")));
    }

    void barsWhereTheTimePutsThem_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("expected"); // invalid: the button face
        // clang-format off
        QTest::newRow("the next hour, 11: pink above the boundary") << NextHourAt << Pink;
        QTest::newRow("the current hour, 10: black below it") << CurrentHourAt << Black;
        QTest::newRow("the upper seconds piece") << UpperSecondsAt << SecondsRed;
        QTest::newRow("the lower seconds piece, white") << LowerSecondsAt << White;
        QTest::newRow("the panel beside the seconds bar") << PanelOnlyAt << QColor();
        QTest::newRow("the window's own grey") << BackgroundAt << Background;
        QTest::newRow("no LED in bar mode") << LedAt << Background;
        QTest::newRow("the tick mark left of the panel") << QPoint(2, 24) << Black;
        // clang-format on
    }
    void barsWhereTheTimePutsThem()
    {
        QFETCH(QPoint, at);
        QFETCH(QColor, expected);
        Fixture f;
        QVERIFY(f.open());
        const QColor shown = f.pixel(at);
        if (at == QPoint(2, 24)) { // a one-pixel line, smoothed: dark, not the grey around it
            QVERIFY2(shown.lightness() < 150, qPrintable(shown.name()));
            return;
        }
        QCOMPARE(shown, expected.isValid() ? expected : f.buttonFace());
    }

    void theHalfWayMarkLiesOverTheBarsInsideThePanel()
    {
        Fixture f;
        QVERIFY(f.open());
        const QImage shown = f.jolvex->grab().toImage();
        // Panel twip 240 is window row 22: a line across the pink hour bar and the white seconds
        // piece, darker than either.
        const auto darkAt = [&shown](int x) {
            return std::min(shown.pixelColor(x, 21).lightness(), shown.pixelColor(x, 22).lightness());
        };
        // Row 19 shows the same bars without the line.
        for (int x : {8, 15, 28, 33})
            QVERIFY2(darkAt(x) < shown.pixelColor(x, 19).lightness() - 50, qPrintable(QString::number(x)));
        // The line reaches past the panel, which cuts it off.
        for (int x : {3, 43, 45})
            QCOMPARE(shown.pixelColor(x, 22), Background);
    }

    void aReloadThatFindsAnEmptySkinPathKeepsThePicture()
    {
        Fixture f;
        QImage picture(78, 50, QImage::Format_RGB32);
        picture.fill(QColor(250, 20, 20));
        const QString path = f.folder.file("Skins/red.png");
        QVERIFY(picture.save(path));
        SettingsStore store{DataFolders(f.folder.path())};
        QVERIFY(store.writeSkin(Design::Jolvex, {path, {}}).ok());
        QVERIFY(f.open());
        QCOMPARE(f.pixel(BackgroundAt), QColor(250, 20, 20));

        QVERIFY(store.writeSkin(Design::Jolvex, {QString(), {}}).ok());
        f.clock().refresh().raise();
        f.tickAt("10:30:16");
        QCOMPARE(f.pixel(BackgroundAt), QColor(250, 20, 20));
        QVERIFY(f.platform.warnings.isEmpty());
    }

    void theBoundariesMoveOnScreen()
    {
        Fixture f;
        QVERIFY(f.open());
        // Seconds 15 to 25: ten steps of 8.5 twips bring the seconds boundary from y 15 to y 20.
        QCOMPARE(f.pixel(QPoint(33, 16)), White);
        for (int s = 16; s <= 25; ++s)
            f.tickAt(qPrintable(QStringLiteral("10:30:%1").arg(s)));
        QCOMPARE(f.clock().jolvexFace().top(JolvexFace::SecondsLower), 213.5f);
        QCOMPARE(f.pixel(QPoint(33, 19)), SecondsRed);
        QCOMPARE(f.pixel(QPoint(33, 20)), White);
        // A new hour shows its colours at once: the coming hour's bar, nearly down, is pink for
        // 11 a second before the hour and light blue for 12 at it.
        f.tickAt("10:59:59");
        QCOMPARE(f.pixel(NextHourAt), Pink);
        f.tickAt("11:00:00");
        QCOMPARE(f.pixel(NextHourAt), QColor(0, 225, 225));
    }

    void displayModesOnScreen()
    {
        Fixture f;
        QVERIFY(f.open());
        ClockFrame &frame = f.clock().frame();
        frame.chooseMenuItem(QStringLiteral("led"));
        settle();
        QCOMPARE(f.pixel(LedAt), QColor(0, 0, 255)); // blue until the next second
        // The hour bars take the seconds' place.
        QCOMPARE(f.pixel(UpperSecondsAt), Pink);
        QCOMPARE(f.pixel(LowerSecondsAt), Black);
        f.tickAt("10:30:16");
        QCOMPARE(f.pixel(LedAt), QColor(0, 255, 0));
        f.tickAt("10:30:17");
        QCOMPARE(f.pixel(LedAt), QColor(255, 0, 10));

        frame.chooseMenuItem(QStringLiteral("SecondsOff"));
        settle();
        QCOMPARE(f.pixel(LedAt), Background);
        QCOMPARE(f.pixel(LowerSecondsAt), Black);

        frame.chooseMenuItem(QStringLiteral("bar"));
        settle();
        QCOMPARE(f.pixel(UpperSecondsAt), SecondsRed);
        QCOMPARE(f.pixel(LowerSecondsAt), White);
        QCOMPARE(f.pixel(PanelOnlyAt), f.buttonFace());
        QCOMPARE(f.pixel(LedAt), Background);
    }

    void theMenuItsCaptionsAndCheckMarks()
    {
        Fixture f;
        ClockWindow *jolvex = f.open();
        QStringList names, captions, checked;
        for (const auto &[name, state] : jolvex->menuItems()) {
            names.append(name);
            captions.append(state.caption);
            if (state.checked)
                checked.append(name);
        }
        QCOMPARE(names, (QStringList{"Skin",       "Sound",   "SoundOn", "SoundOff", "secndsmnu", "SecondsOn",
                                     "SecondsOff", "sectype", "led",     "bar",      "",          "helps",
                                     "ShowHelp",   "",        "QHelp",   "brown",    "red",       "orange",
                                     "yellow",     "green",   "blue",    "violet",   "gray",      "white",
                                     "black",      "pink",    "lblue",   "About",    "Quit"}));
        QCOMPARE(captions.mid(15, 12),
                 (QStringList{"  1    Brown", "  2    Red", "  3    Orange ", "  4    Yellow", "  5    Green",
                              "  6    Blue", "  7    Violet", "  8    Gray", "  9    White", "10    Black",
                              "11    Pink", "12    Lite Blue"}));
        QCOMPARE(captions.front(), QStringLiteral("Skins"));
        QCOMPARE(captions.back(), QStringLiteral("Quit Clock"));
        QCOMPARE(checked, (QStringList{"SoundOn", "bar"}));

        // A legend item does nothing; the seconds items move their check marks.
        const Face before = jolvex->clock().face();
        jolvex->clock().frame().chooseMenuItem(QStringLiteral("gray"));
        QVERIFY(jolvex->clock().face() == before);
        jolvex->clock().frame().chooseMenuItem(QStringLiteral("led"));
        jolvex->clock().frame().chooseMenuItem(QStringLiteral("SecondsOff"));
        checked.clear();
        for (const auto &[name, state] : jolvex->menuItems())
            if (state.checked)
                checked.append(name);
        QCOMPARE(checked, (QStringList{"SoundOn", "SecondsOff", "led"}));
    }

    void theMenuButtonAnswersTheLeftButtonOnly()
    {
        Fixture f;
        ClockWindow *jolvex = f.open();
        QString popped;
        const auto watch = [&popped] {
            QTimer::singleShot(0, [&popped] {
                if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                    popped = menu->objectName();
                    menu->close();
                }
            });
        };
        watch();
        QTest::mousePress(jolvex->button(jolvex::control::Preferences), Qt::RightButton);
        QCoreApplication::processEvents();
        QVERIFY(popped.isEmpty());
        QTest::mouseRelease(jolvex->button(jolvex::control::Preferences), Qt::RightButton);
        watch();
        QTest::mousePress(jolvex->button(jolvex::control::Preferences), Qt::LeftButton);
        QCOMPARE(popped, QStringLiteral("Prefs"));
        QTest::mouseRelease(jolvex->button(jolvex::control::Preferences), Qt::LeftButton);
    }
};

QTEST_MAIN(TestJolvexWindow)
#include "tst_jolvexwindow.moc"
