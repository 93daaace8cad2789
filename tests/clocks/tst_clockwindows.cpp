#include "base/WindowNames.h"
#include "clocks/ClockFrame.h"
#include "clocks/ClockWindow.h"
#include "clocks/Designs.h"
#include "clocks/dov/DovControls.h"
#include "clocks/lumbo/LumboControls.h"
#include "clocks/lumbo/LumboPrefsDialog.h"
#include "clocks/mip/MipControls.h"
#include "clocks/norvi/NorviControls.h"
#include "clocks/perrin/PerrinClock.h"
#include "clocks/perrin/PerrinControls.h"
#include "clocks/quenz/QuenzControls.h"
#include "help/MipSamples.h"
#include "help/MipSamplesWindow.h"
#include "platform/QtPlatform.h"
#include "settings/SettingsStore.h"
#include "settings/SkinManagerDialog.h"
#include "support/FakeWindowOps.h"
#include "support/FileSizeLimit.h"
#include "support/ProgramRig.h"
#include "ui/Artwork.h"
#include "ui/Colours.h"
#include "ui/WidgetWindow.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolTip>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace vrim;
using namespace vrim::test;

namespace {

const QColor Black(0, 0, 0), White(255, 255, 255), Red(255, 0, 0), Green(0, 255, 0), Blue(0, 0, 255);
const QColor Navy(0, 0, 128), Pink(255, 0, 255), SecondsRed(176, 23, 31), Grey(224, 224, 224);

// The middle of a Norvi lamp given in twips within its panel, as a pixel of the window.
QPoint norviLamp(int left, int top, int width = 105, int height = 135)
{
    return twipsRect(QRect(left + 90, top + 60, width, height)).center();
}
QPoint norviSecondsUnits(int k) { return norviLamp(420, 2670 - 150 * k); }

QString helpsZero() { return QStringLiteral(QT_TESTCASE_SOURCEDIR "/../data/Helps/m0.gif"); }

QImage solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Every opaque pixel of `picture` shows in `shown` with the picture's top-left at `corner`.
bool showsPicture(const QImage &shown, const QString &path, QPoint corner)
{
    const QImage drawn = QImage(path).convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            if (qAlpha(drawn.pixel(x, y)) != 255)
                continue;
            ++opaque;
            if ((shown.pixel(corner + QPoint(x, y)) & 0xffffff) != (drawn.pixel(x, y) & 0xffffff))
                return false;
        }
    return opaque > 20;
}

// Presses, releases or double-clicks a control as a trigger wants it: `wrong` is the nearest
// gesture that must not fire it.
void gesture(QWidget *control, ControlTrigger::Kind kind, bool wrong)
{
    using T = ControlTrigger;
    if (kind == T::Down && !wrong)
        QTest::mouseClick(control, Qt::RightButton);
    else if (kind == T::LeftDown)
        QTest::mouseClick(control, wrong ? Qt::RightButton : Qt::LeftButton);
    else if (kind == T::Click)
        wrong ? QTest::mousePress(control, Qt::LeftButton) : QTest::mouseRelease(control, Qt::LeftButton);
    else if (kind == T::DoubleClick)
        wrong ? QTest::mouseClick(control, Qt::LeftButton) : QTest::mouseDClick(control, Qt::LeftButton);
}

} // namespace

// Every clock in its real window on the offscreen platform: what a user sees, read from its
// pixels, and what its frame controls and menu do, one row per design where they share a rule.
class TestClockWindows : public QObject {
    Q_OBJECT

    struct Fixture : ProgramRig {
        ClockWindow *clock = nullptr;

        explicit Fixture(const char *now = "10:20:05")
            : ProgramRig(QString::fromLatin1(now))
        {
            QVERIFY(QDir().mkpath(folder.file("Helps")));
            QVERIFY(QFile::copy(helpsZero(), folder.file("Helps/m0.gif")));
        }
        ClockWindow *open(Design design)
        {
            clock = openClock(design);
            // The reload a load asks for (Quenz) comes at once, not at the next second.
            if (clock && ticker().interval() == 0)
                ticker().elapse();
            return clock;
        }
        QImage shown() const { return clock->grab().toImage(); }
        QColor pixel(QPoint at) const { return shown().pixelColor(at); }
        QColor orFace(QColor colour) const
        {
            return colour.isValid() ? colour : clock->palette().color(QPalette::Button);
        }
        void reload()
        {
            clock->clock().refresh().raise();
            ticker().elapse();
        }
        template <class Dialog>
        Dialog *dialog(const QString &name)
        {
            auto *handle = dynamic_cast<WidgetWindow *>(program.registry().window(name));
            return handle ? qobject_cast<Dialog *>(handle->widget()) : nullptr;
        }
    };

    // A frame on test doubles, for what the real window operations cannot be made to do.
    struct FrameFixture {
        WindowLog log;
        WindowRegistry registry;
        FakeWindowOps ops;
        RecordingPlayer player;
        int afterDrag = 0, afterToggle = 0;
        ClockFrame frame{frame::of(Design::Dov),
                         registry,
                         ops,
                         &player,
                         {.afterDrag = [this] { ++afterDrag; }, .afterToggle = [this] { ++afterToggle; }}};

        explicit FrameFixture(bool onTopPossible = true)
        {
            ops.onTopPossible = onTopPossible;
            log.define(registry, window::Dov);
            registry.show(window::Dov);
            frame.load();
        }
    };

    static void addDesigns(bool (*wanted)(const FrameDesign &))
    {
        QTest::addColumn<Design>("design");
        for (const Design design : AllDesigns)
            if (wanted(cardOf(design).frame))
                QTest::newRow(qPrintable(designName(design))) << design;
    }
    // A point inside a frame button, clear of its border and of any words on it.
    static QPoint insideOf(const ClockWindow *window, const QString &name)
    {
        const QRect shown = window->button(name)->geometry() & window->rect();
        return {shown.left() + 2, shown.center().y()};
    }

private Q_SLOTS:
    // First, before any menu has had the mouse. A gadget is seldom the active window: its tips show on hover
    // all the same.
    void tipsShowOverAWindowThatIsNotActive_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control"); // empty: the face itself
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("tip");
        QTest::newRow("Dov's minutes, painted on its face")
            << window::Dov << "" << QPoint(45, 54) << "Minutes";
        QTest::newRow("Dov's Quit button") << window::Dov << dov::control::Quit << QPoint(3, 3) << "Quit";
        QTest::newRow("the stopwatch's on-top button")
            << window::Stopwatch << "Picture4" << QPoint(5, 5) << "OnTop";
    }
    void tipsShowOverAWindowThatIsNotActive()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        QFETCH(QString, tip);
        Fixture f;
        f.program.registry().show(window);
        QWidget *shown = f.dialog<QWidget>(window);
        QVERIFY(shown);
        QWidget *target = control.isEmpty() ? shown : shown->findChild<QWidget *>(control);
        QVERIFY(target);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QWidget elsewhere; // the window the user works in
        elsewhere.setGeometry(10, 10, 100, 100);
        elsewhere.show();
        elsewhere.activateWindow();
        QTRY_VERIFY(elsewhere.isActiveWindow());
        QToolTip::hideText();
        QTest::mouseMove(target, at);
        QTRY_VERIFY2(QToolTip::isVisible(), "no tip showed");
        QCOMPARE(QToolTip::text(), tip);
        QToolTip::hideText();
    }

    void opensOnTopAtItsPlace_data()
    {
        addDesigns([](const FrameDesign &) { return true; });
    }
    void opensOnTopAtItsPlace()
    {
        QFETCH(Design, design);
        const DesignCard &card = cardOf(design);
        Fixture f;
        ClockWindow *window = f.open(design);
        QVERIFY(window);
        // A screen smaller than the one the places were made for keeps the whole window on it.
        const QRect place = twipsRect(card.frame.twips);
        const QRect room = window->screen()->availableGeometry();
        QCOMPARE(window->geometry(), place.translated(std::min(0, room.right() - place.right()),
                                                      std::min(0, room.bottom() - place.bottom())));
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(window->windowTitle(),
                 card.frame.caption.isEmpty() ? card.frame.window : card.frame.caption);
        QCOMPARE(f.pixel(insideOf(window, card.frame.onTopButton)), toQColor(card.frame.onTopOn));
        for (const auto &[name, colour] : card.frame.paintedAtLoad)
            QCOMPARE(f.pixel(insideOf(window, name)), toQColor(colour));
        // The test folder has none of the pictures a first start names: each is said once.
        QStringList missing;
        if (card.files)
            for (const char16_t *path : {card.files->defaultSkin, card.files->defaultCentre})
                if (path)
                    missing.append(QString::fromUtf16(path).section(u'\\', -1));
        QCOMPARE(f.platform.warnings.size(), missing.size());
        for (int i = 0; i < missing.size(); ++i)
            QVERIFY2(f.platform.warnings[i].contains(missing[i]), qPrintable(f.platform.warnings[i]));
    }

    void whatTheFaceShows_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour"); // invalid: the button face
        const QColor face;
        const auto row = [](const char *name, Design design, const char *time, QPoint at, QColor colour) {
            QTest::newRow(name) << design << QString::fromLatin1(time) << at << colour;
        };
        // clang-format off
        row("Dov at 11:30: the 11 bar, lit for a moment, dim from the first paint", Design::Dov, "11:30:00", {32, 4}, {105, 105, 100});
        row("Norvi: III lit", Design::Norvi, "15:34:27", norviLamp(900, 1350, 135, 405), Green);
        row("Norvi: minutes tens, third", Design::Norvi, "15:34:27", norviLamp(690, 1110 - 300), Blue);
        row("Norvi: afternoon indicator", Design::Norvi, "15:34:27", norviLamp(690, 2670), {0, 0, 100});
        row("Norvi: seconds tens, second", Design::Norvi, "15:34:27", norviLamp(420, 1110 - 150), Red);
        row("Norvi: Secs/No Secs", Design::Norvi, "15:34:27", twipsRect({360, 3270, 195, 105}).center(), {255, 255, 192});
        row("Quenz at 10: the 10 bar blue", Design::Quenz, "10:20:05", {5, 50}, Blue);
        row("Quenz at second 5: marker 0 in the 1 bar", Design::Quenz, "10:20:05", {119, 21}, {205, 10, 0});
        row("Quenz at 15: the 3 bar, grey at design, blue", Design::Quenz, "15:20:05", {125, 74}, Blue);
        row("Quenz: afternoon dot", Design::Quenz, "15:20:05", {72, 46}, {0, 0, 100});
        row("Quenz: the minutes on navy", Design::Quenz, "10:20:05", {59, 63}, Navy);
        row("Vrimcolor 09:30: tens filled at the bottom", Design::Vrimcolor, "09:30:03", {19, 82}, Navy);
        row("Vrimcolor 09:30: tens empty above half", Design::Vrimcolor, "09:30:03", {19, 57}, face);
        row("Vrimcolor 09:30:03: seconds empty beyond 3", Design::Vrimcolor, "09:30:03", {16, 100}, face);
        row("Vrimcolor 10:59: units filled to 9 of 10", Design::Vrimcolor, "10:59:59", {99, 22}, Navy);
        row("Vrimcolor 12:59: morning lamp", Design::Vrimcolor, "12:59:59", {26, 19}, {0, 136, 0});
        row("Vrimcolor 13:00: afternoon lamp", Design::Vrimcolor, "13:00:00", {26, 19}, {125, 255, 125});
        row("Jolvex: the next hour, 11, pink above the boundary", Design::Jolvex, "10:30:15", {15, 12}, Pink);
        row("Jolvex: the current hour, 10, black below it", Design::Jolvex, "10:30:15", {15, 34}, Black);
        row("Jolvex: the lower seconds piece", Design::Jolvex, "10:30:15", {33, 30}, White);
        row("Jolvex: the panel beside the seconds bar", Design::Jolvex, "10:30:15", {38, 30}, face);
        row("Mip: the afternoon lamp", Design::Mip, "13:09:40", {43, 122}, Green);
        row("Lumbo 13:45: hour 1", Design::Lumbo, "13:45:30", {15, 11}, Green);
        row("Lumbo 13:45: tens 4", Design::Lumbo, "13:45:30", {196, 12}, Red);
        row("Lumbo 13:45: units 5", Design::Lumbo, "13:45:30", {224, 30}, Blue);
        row("Lumbo: afternoon", Design::Lumbo, "13:45:30", {580, 12}, {105, 105, 100});
        row("Lumbo: the bar, 6573604, without a border line", Design::Lumbo, "13:45:30", {4, 0}, {36, 78, 100});
        row("Lumbo: the window, 5456158", Design::Lumbo, "13:45:30", {300, 60}, {30, 65, 83});
        // clang-format on
    }
    void whatTheFaceShows()
    {
        QFETCH(Design, design);
        QFETCH(QString, time);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        Fixture f(qPrintable(time));
        QVERIFY(f.open(design));
        QCOMPARE(f.pixel(at), f.orFace(colour));
    }

    // Any mouse button, on any part of the button (Perrin's minutes included).
    void theOnTopButtonTogglesAndShowsItsColour_data()
    {
        addDesigns([](const FrameDesign &) { return true; });
    }
    void theOnTopButtonTogglesAndShowsItsColour()
    {
        QFETCH(Design, design);
        const FrameDesign &frame = cardOf(design).frame;
        Fixture f;
        ClockWindow *window = f.open(design);
        QWidget *button = window->button(frame.onTopButton);
        const QPoint centre = (button->geometry() & window->rect()).center() - button->pos();
        for (const auto &[mouse, onTop] :
             {std::pair{Qt::RightButton, false}, std::pair{Qt::MiddleButton, true}}) {
            QTest::mousePress(button, mouse, {}, centre);
            QTest::mouseRelease(button, mouse, {}, centre);
            QCOMPARE(bool(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint), onTop);
            QCOMPARE(f.pixel(insideOf(window, frame.onTopButton)),
                     toQColor(onTop ? frame.onTopOn : frame.onTopOff));
        }
    }

    // Where nothing can keep a window on top (Wayland), the button never says it is; a colour that
    // is neither ON nor OFF does nothing; the after-drag step waits for the move's end, once.
    void theFrameWhereTheWindowOperationsDiffer()
    {
        FrameFixture wayland(false);
        QCOMPARE(wayland.frame.onTopColour(), frame::Red);
        wayland.frame.pressOnTopButton();
        QCOMPARE(wayland.frame.onTopColour(), frame::Red);
        QCOMPARE(wayland.ops.log, QStringList{});
        QCOMPARE(wayland.afterToggle, 0);

        FrameFixture f;
        f.frame.setOnTopColour(rgbValue(1, 2, 3));
        f.frame.pressOnTopButton();
        QCOMPARE(f.frame.onTopColour(), rgbValue(1, 2, 3));
        QCOMPARE(f.afterToggle, 0);
        f.frame.pressMoveHandle();
        QCOMPARE(f.afterDrag, 0);
        f.ops.endDrag();
        f.ops.endDrag();
        QCOMPARE(f.afterDrag, 1);
        QCOMPARE(f.ops.log, (QStringList{"on top", "drag"}));
        f.frame.playerCompleted(); // rewound, so that the next chime starts at the beginning
        QCOMPARE(f.player.log, QStringList{"Prev"});
    }

    // A press and release in place is a drag that went nowhere: the design's step follows it.
    void aClickOnTheMoveHandleDoesTheAfterDragStep_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour"); // invalid: the button face
        QTest::newRow("Dov resets, and the 11 bar stays dim")
            << Design::Dov << "11:30:00"
            << "11:30:00" << QPoint(32, 4) << QColor(105, 105, 100);
        QTest::newRow("Quenz resets: the hour bar cleared") << Design::Quenz << "10:20:05"
                                                            << "10:20:07" << QPoint(5, 50) << QColor();
        QTest::newRow("Norvi shows the second of the drag's end")
            << Design::Norvi << "15:34:27"
            << "15:34:29" << norviSecondsUnits(9) << Red;
        QTest::newRow("Vrimcolor asks for a reload, and the face stays")
            << Design::Vrimcolor << "09:30:03"
            << "09:30:03" << QPoint(11, 100) << Navy;
        QTest::newRow("Jolvex does nothing") << Design::Jolvex << "10:30:15"
                                             << "10:30:15" << QPoint(15, 12) << Pink;
    }
    void aClickOnTheMoveHandleDoesTheAfterDragStep()
    {
        QFETCH(Design, design);
        QFETCH(QString, opened);
        QFETCH(QString, clicked);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        Fixture f(qPrintable(opened));
        ClockWindow *window = f.open(design);
        f.platform.clock.now = clicked;
        QTest::mouseClick(window->button(cardOf(design).frame.moveHandle), Qt::LeftButton);
        QCOMPARE(f.pixel(at), f.orFace(colour));
        const bool reloads = design == Design::Vrimcolor; // its own refresh after every move
        QCOMPARE(f.ticker().interval() == 0, reloads);
        QCOMPARE(window->clock().refresh().carrier() == RefreshSignal::raisedText(), reloads);
    }

    void theQuitControlShowsTheLauncher_data()
    {
        addDesigns([](const FrameDesign &frame) { return frame.quitTrigger.has_value(); });
    }
    void theQuitControlShowsTheLauncher()
    {
        QFETCH(Design, design);
        const FrameDesign &frame = cardOf(design).frame;
        Fixture f;
        ClockWindow *window = f.open(design);
        QWidget *quit = window->button(frame.quitControl);
        gesture(quit, frame.quitTrigger->kind, true);
        QVERIFY(f.program.registry().isLoaded(frame.window));
        gesture(quit, frame.quitTrigger->kind, false);
        if (frame.hasPlayer) // read before the window and its player go
            QCOMPARE(f.player().log.last(), QStringLiteral("Close"));
        f.settle();
        QCOMPARE(f.program.registry().loaded(), QStringList{window::Launcher});
    }

    void closingShowsTheLauncherWhereTheDesignSaysSo_data()
    {
        addDesigns([](const FrameDesign &) { return true; });
    }
    void closingShowsTheLauncherWhereTheDesignSaysSo()
    {
        QFETCH(Design, design);
        Fixture f;
        f.open(design)->close();
        if (design != Design::Perrin) // the one without a player
            QCOMPARE(f.player().log.last(), QStringLiteral("Close"));
        f.settle();
        const bool showsLauncher =
            QList{Design::Norvi, Design::Mip, Design::Jolvex, Design::Perrin}.contains(design);
        QCOMPARE(f.program.registry().loaded(),
                 showsLauncher ? QStringList{window::Launcher} : QStringList{});
        QVERIFY(!f.program.ticker().isRunning());
    }

    // The menu pops up on the design's gesture and no other, with every item enabled; each item
    // opens what it says.
    void theMenuPopsUpAndEachItemOpensItsWindow_data()
    {
        addDesigns([](const FrameDesign &frame) { return !frame.menu.empty(); });
    }
    void theMenuPopsUpAndEachItemOpensItsWindow()
    {
        QFETCH(Design, design);
        const FrameDesign &frame = cardOf(design).frame;
        Fixture f;
        ClockWindow *window = f.open(design);
        RecordingPlayer &player = f.player();
        QWidget *button = window->button(frame.menuButton);
        const auto kind = frame.menuTrigger.kind;
        QCOMPARE(ProgramRig::menuPoppedBy([&] { gesture(button, kind, true); }).first, QString());
        const auto [popped, items] = ProgramRig::menuPoppedBy([&] { gesture(button, kind, false); });
        QCOMPARE(popped, frame.menuName);
        QStringList captions;
        for (const MenuItem &item : frame.menu)
            captions.append(item.caption);
        QCOMPARE(items, captions);
        for (const auto &[name, state] : window->menuItems()) {
            QVERIFY2(state.enabled, qPrintable(name));
            QCOMPARE(state.checked, name == u"SoundOn" || (design == Design::Jolvex && name == u"bar"));
        }

        ClockFrame &menu = window->clock().frame();
        menu.chooseMenuItem(frame.helpItem);
        QVERIFY(f.program.registry().isLoaded(window::HelpPage));
        menu.chooseMenuItem(frame.aboutItem);
        QVERIFY(f.program.registry().isLoaded(window::About));
        menu.chooseMenuItem(frame.skinItem);
        QVERIFY(f.program.registry().isLoaded(frame.skinManager));
        QCOMPARE(player.log.last(), QStringLiteral("close")); // the dialog has a player of its own
        menu.chooseMenuItem(frame.quitItem);
        QCOMPARE(player.log.last(), QStringLiteral("Close"));
        f.settle();
        QVERIFY(!f.program.registry().isLoaded(frame.window));
        QVERIFY(f.program.registry().isLoaded(window::Launcher));
    }

    // A skin shows at its own size from the top-left; a photo far larger than the window shows
    // from its own top-left too (the window keeps only what it can show); an empty path keeps the
    // picture where the design does so, and clears it elsewhere. Nothing of this is a fault.
    void theSkinAtItsOwnSize_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QPoint>("inside");
        QTest::addColumn<QPoint>("beyond");
        QTest::addColumn<QColor>("under"); // what shows beyond the picture; invalid: the button face
        QTest::newRow("Norvi, its frame") << Design::Norvi << QPoint(2, 10) << QPoint(2, 100) << Black;
        QTest::newRow("Quenz") << Design::Quenz << QPoint(15, 8) << QPoint(40, 108) << Black;
        QTest::newRow("Vrimcolor") << Design::Vrimcolor << QPoint(3, 3) << QPoint(3, 25) << QColor();
        QTest::newRow("Jolvex") << Design::Jolvex << QPoint(5, 3) << QPoint(45, 40) << Grey;
    }
    void theSkinAtItsOwnSize()
    {
        QFETCH(Design, design);
        QFETCH(QPoint, inside);
        QFETCH(QPoint, beyond);
        QFETCH(QColor, under);
        Fixture f;
        const QString path = f.folder.file("Skins/skin.png");
        QVERIFY(QDir().mkpath(f.folder.file("Skins")));
        QVERIFY(solid({20, 20}, QColor(250, 20, 200)).save(path));
        const SettingsStore store{DataFolders(f.folder.path())};
        QVERIFY(store.writeSkin(design, {path, path}).ok());
        QVERIFY(f.open(design));
        QCOMPARE(f.pixel(inside), QColor(250, 20, 200));
        QCOMPARE(f.pixel(beyond), f.orFace(under)); // not stretched

        QImage photo = solid({1200, 900}, QColor(10, 20, 30));
        photo.setPixelColor(inside, QColor(250, 0, 0));
        QVERIFY(photo.save(path));
        f.reload();
        QCOMPARE(f.pixel(inside), QColor(250, 0, 0));
        QCOMPARE(f.pixel(beyond), QColor(10, 20, 30));

        QVERIFY(store.writeSkin(design, {QString(), QString()}).ok());
        f.reload();
        const bool keeps = design == Design::Norvi || design == Design::Jolvex;
        QCOMPARE(f.clock->hasPicture(), keeps);
        QCOMPARE(f.pixel(inside) == QColor(250, 0, 0), keeps);
        QVERIFY2(f.platform.warnings.isEmpty(), qPrintable(f.platform.warnings.join(u'\n')));
    }

    // Ok in the Skin Manager: one reload, asked for at once, that takes the new values.
    void skinManagerOkReloadsTheClockOnce()
    {
        Fixture f;
        ClockWindow *dov = f.open(Design::Dov);
        RecordingPlayer &player = f.player();
        dov->clock().frame().chooseMenuItem(QStringLiteral("SkinMgr"));
        auto *dialog = f.dialog<SkinManagerDialog>(QStringLiteral("dovprefs"));
        QVERIFY(dialog);
        const QString night = f.folder.file("night.jpg");
        f.platform.chooserAnswers = {night};
        QTest::mouseClick(dialog->button(QStringLiteral("View")), Qt::LeftButton);
        QTest::mouseClick(dialog->intervalButton(4), Qt::LeftButton); // "1 hour"
        QTest::mouseClick(dialog->button(QStringLiteral("Ok")), Qt::LeftButton);
        f.settle();
        QVERIFY(!f.program.registry().isLoaded(QStringLiteral("dovprefs")));
        QCOMPARE(f.ticker().interval(), 0);
        const auto prepares = [&] { return player.log.filter(QRegularExpression("^prepare ")).size(); };
        f.ticker().elapse();
        f.ticker().elapse(); // the next second's
        QCOMPARE(prepares(), 2);
        QCOMPARE(dov->clock().pictures().value(0), night);
        QCOMPARE(dov->clock().chime(), QStringLiteral("1 hour"));
        QCOMPARE(dov->clock().refresh().carrier(), QString());
    }

    void aPipeNamedAsTheSkinIsRefusedWithoutWaiting()
    {
        Fixture f;
        const QString pipe = f.folder.file("night.jpg");
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        QVERIFY(SettingsStore(DataFolders(f.folder.path())).writeSkin(Design::Dov, {pipe, {}}).ok());
        ClockWindow *dov = f.open(Design::Dov); // reading the pipe would wait here for a writer, for ever
        QVERIFY(dov && !dov->hasPicture());
        QCOMPARE(f.platform.warnings.size(), 1);
        QVERIFY2(f.platform.warnings.front().contains(QStringLiteral("night.jpg")) &&
                     f.platform.warnings.front().contains(QStringLiteral("not a regular file")),
                 qPrintable(f.platform.warnings.front()));
        // The Skin Manager shows the stored picture: it too must refuse the pipe.
        QVERIFY(!QtPictures().problemShowing(pipe).isEmpty());
        dov->clock().frame().chooseMenuItem(QStringLiteral("SkinMgr"));
        QVERIFY(f.program.registry().isLoaded(QStringLiteral("dovprefs")));
    }

    void aFaultIsSaidOnceUntilItChanges()
    {
        Fixture f;
        const QString skinFile = f.folder.file("Settings/Dovpref.prf");
        TempProgramFolder::write(skinFile, QByteArray(64 * 1024, 'a')); // one huge value
        QVERIFY(f.open(Design::Dov));
        QCOMPARE(f.platform.warnings.size(), 2); // the file, then the default picture it falls back to
        for (const QString &warning : f.platform.warnings)
            QVERIFY2(warning.size() < 400, qPrintable(warning.left(400)));
        f.reload();
        f.reload();
        QCOMPARE(f.platform.warnings.size(), 2);
        // A different fault is said at once; the picture's, unchanged, is not said again.
        TempProgramFolder::write(skinFile, "");
        f.reload();
        QCOMPARE(f.platform.warnings.size(), 3);
        QVERIFY(f.platform.warnings.last().contains(QStringLiteral("0 of its 1 lines")));
        // Mended, then broken again: a new fault as far as the user can tell.
        TempProgramFolder::write(skinFile, f.folder.file("night.jpg").toUtf8() + "\r\n");
        f.reload();
        TempProgramFolder::write(skinFile, "");
        f.reload();
        QCOMPARE(f.platform.warnings.size(), 6); // night.jpg is missing, then both of the above
    }

    // Identical warnings share one box; different ones are shown one at a time, in the order
    // they were found, so that the first is read first.
    void warningsShowOneAtATimeInOrder()
    {
        QtMessages messages;
        // Answers the texts of the boxes shown, after pressing their Ok where `close` is true.
        const auto boxes = [](bool close) {
            QStringList texts;
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                    close ? box->button(QMessageBox::Ok)->click() : texts.append(box->text());
            ProgramRig::settle();
            return texts;
        };
        const QStringList before = boxes(false);
        for (const char *text : {"skin", "skin", "sound", "skin", "sound"})
            messages.warn(QLatin1String(text));
        QCoreApplication::processEvents(); // a box shows once the window that warns has
        QCOMPARE(boxes(false), before + QStringList{"skin"});
        boxes(true);
        QCOMPARE(boxes(false), before + QStringList{"sound"});
        boxes(true);
        QCOMPARE(boxes(false), before);
    }

    void aSkinNamedInAnOlderEncodingIsFoundAndKept()
    {
        Fixture f;
        // "café.png" as an older version named it, with the é as the single byte E9.
        const QByteArray name = QFile::encodeName(f.folder.path()) + "/caf\xe9.png";
        QVERIFY(solid({8, 8}, Qt::red).save(f.folder.file("plain.png")));
        QVERIFY(::rename(QFile::encodeName(f.folder.file("plain.png")).constData(), name.constData()) == 0);
        const auto remove = qScopeGuard([&name] { ::unlink(name.constData()); }); // Qt cannot see it
        const QString skinFile = f.folder.file("Settings/Dovpref.prf");
        TempProgramFolder::write(skinFile, name + "\r\n");
        ClockWindow *dov = f.open(Design::Dov);
        QVERIFY2(dov->hasPicture(), qPrintable(f.platform.warnings.join(u'\n')));
        // Ok in the Skin Manager with nothing changed writes the same bytes back.
        dov->clock().frame().chooseMenuItem(QStringLiteral("SkinMgr"));
        auto *dialog = f.dialog<SkinManagerDialog>(QStringLiteral("dovprefs"));
        QVERIFY(dialog);
        QTest::mouseClick(dialog->button(QStringLiteral("Ok")), Qt::LeftButton);
        f.settle();
        QCOMPARE(TempProgramFolder::read(skinFile), name + "\r\n");
    }

    // Opened at 15:34:27. The seconds-units lamps show the current second (or nothing while the
    // seconds are off) right away, not one pass later.
    void norvisSecondsShowOnlyTheCurrentSecond_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QList<int>>("red");
        QTest::newRow("a late pass skips a second") << "late" << QList<int>{9};
        QTest::newRow("switched off on a press") << "off" << QList<int>{};
        QTest::newRow("switched on again on a press") << "off on" << QList<int>{8};
        QTest::newRow("a drag while the seconds are off") << "off drag" << QList<int>{};
        QTest::newRow("a reload") << "reload" << QList<int>{8};
    }
    void norvisSecondsShowOnlyTheCurrentSecond()
    {
        QFETCH(QString, how);
        QFETCH(QList<int>, red);
        Fixture f("15:34:27");
        ClockWindow *norvi = f.open(Design::Norvi);
        QWidget *seconds = norvi->button(norvi::control::Seconds);
        const auto lit = [&] {
            const QImage shown = f.shown();
            QList<int> out;
            for (int k = 0; k < 10; ++k)
                if (shown.pixelColor(norviSecondsUnits(k)) == Red)
                    out.append(k);
            return out;
        };
        QCOMPARE(lit(), QList<int>{7});
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
            QTest::mouseClick(norvi->button(norvi::control::Move), Qt::LeftButton);
        }
        if (steps.contains(u"reload")) {
            f.platform.clock.now = QStringLiteral("15:34:28");
            f.reload();
        }
        QCOMPARE(lit(), red);
        if (steps.contains(u"on")) // the tens bar is painted again at once
            QCOMPARE(f.pixel(norviLamp(420, 1110 - 150)), Red);
    }

    void quenzsMoveStripClickResetsTheFace()
    {
        Fixture f;
        ClockWindow *quenz = f.open(Design::Quenz);
        // The minutes are written inside their navy box: light ink there.
        int inked = 0;
        const QImage shown = f.shown();
        for (int y = 62; y < 87; ++y)
            for (int x = 58; x < 83; ++x)
                inked += shown.pixelColor(x, y).red() > 150 ? 1 : 0;
        QVERIFY2(inked > 20, qPrintable(QString::number(inked)));
        f.platform.clock.now = QStringLiteral("10:20:07");
        QTest::mouseClick(quenz->button(quenz::control::Move), Qt::LeftButton);
        f.settle();
        // Cleared, and drawn again from the next multiple of five seconds.
        QCOMPARE(f.pixel({119, 21}), f.orFace({}));
        f.passAt("10:20:10");
        QCOMPARE(f.pixel({5, 50}), Blue);
        QCOMPARE(f.pixel({125, 51}), QColor(205, 10, 0)); // marker 1, in the 2 bar
    }

    void vrimcolorsHourFigure()
    {
        // A point of the hour square given in its own twips, as a pixel of the window.
        const auto inSquare = [](int x, int y) { return twipsRect(QRect(480 + x, 480 + y, 0, 0)).topLeft(); };
        Fixture f("11:59:58");
        QVERIFY(f.open(Design::Vrimcolor));
        f.passAt("11:59:59");
        QCOMPARE(f.pixel(inSquare(360, 150)), Red); // Line15 of the morning's group, thick
        QCOMPARE(f.pixel(inSquare(360, 150) + QPoint(-1, 0)), Red);
        f.passAt("12:00:00");
        const QImage shown = f.shown();
        QCOMPARE(shown.pixelColor(inSquare(30, 200)), Red); // Line13 at the left
        // A thin black line straddles two pixels; together they are dark, and neither is red.
        const QColor a = shown.pixelColor(inSquare(360, 150)), b = shown.pixelColor(inSquare(359, 150));
        QVERIFY2(a.lightness() + b.lightness() < 300, qPrintable(a.name() + b.name()));
        QCOMPARE(a.red(), a.green());
        QCOMPARE(shown.pixelColor(inSquare(720, 200)), White); // where the other group has a line
        // Only Line13 stays red: two pixels wide, the height of the line and its caps.
        int red = 0;
        for (int y = 32; y < 87; ++y)
            for (int x = 32; x < 87; ++x)
                red += shown.pixelColor(x, y) == Red ? 1 : 0;
        QVERIFY2(red > 40 && red < 64, qPrintable(QString::number(red)));
    }

    // Its seconds menu: the LED, no seconds, the bar again; a legend item does nothing. And the
    // half-way mark and the moving boundaries as they show.
    void jolvexsSecondsMenuAndBars()
    {
        Fixture f("10:30:15");
        ClockWindow *jolvex = f.open(Design::Jolvex);
        const QImage first = f.shown();
        // Panel twip 240 is window row 22: a line across the bars, darker than row 19 without it,
        // cut off by the panel's edge.
        for (int x : {8, 15, 28, 33})
            QVERIFY2(std::min(first.pixelColor(x, 21).lightness(), first.pixelColor(x, 22).lightness()) <
                         first.pixelColor(x, 19).lightness() - 50,
                     qPrintable(QString::number(x)));
        for (int x : {3, 43, 45})
            QCOMPARE(first.pixelColor(x, 22), Grey);
        ClockFrame &frame = jolvex->clock().frame();
        const Face before = jolvex->clock().face();
        frame.chooseMenuItem(QStringLiteral("gray"));
        QVERIFY(jolvex->clock().face() == before);
        const auto checked = [&] {
            QStringList out;
            for (const auto &[name, state] : jolvex->menuItems())
                if (state.checked)
                    out.append(name);
            return out;
        };
        frame.chooseMenuItem(QStringLiteral("led"));
        f.settle();
        QCOMPARE(f.pixel({47, 14}), Blue); // until the next second
        QCOMPARE(f.pixel({33, 8}), Pink);  // the hour bars take the seconds' place
        f.passAt("10:30:16");
        QCOMPARE(f.pixel({47, 14}), Green);
        frame.chooseMenuItem(QStringLiteral("SecondsOff"));
        f.settle();
        QCOMPARE(checked(), (QStringList{"SoundOn", "SecondsOff", "led"}));
        QCOMPARE(f.pixel({47, 14}), Grey);
        frame.chooseMenuItem(QStringLiteral("bar"));
        f.settle();
        QCOMPARE(f.pixel({33, 8}), SecondsRed);
        QCOMPARE(f.pixel({38, 30}), f.orFace({}));
        // Seconds 16 to 25 bring the seconds boundary down from row 15 to 20; a new hour shows
        // its colours at once.
        for (int s = 17; s <= 25; ++s)
            f.passAt(qPrintable(QStringLiteral("10:30:%1").arg(s)));
        QCOMPARE(f.pixel({33, 19}), SecondsRed);
        QCOMPARE(f.pixel({33, 20}), White);
        f.passAt("10:59:59");
        QCOMPARE(f.pixel({15, 12}), Pink);
        f.passAt("11:00:00");
        QCOMPARE(f.pixel({15, 12}), QColor(0, 225, 225));
    }

    void mipShowsItsPicturesAndPaintsOnlyChanges()
    {
        // Where the pictures start in the middles of its three buttons.
        const QPoint hourAt(13, 11), tensAt(23, 64), unitsAt(23, 95);
        Fixture f("13:09:40");
        ClockWindow *mip = f.open(Design::Mip);
        QVERIFY(showsPicture(f.shown(), QStringLiteral(":/mip/hour-01.png"), hourAt));
        QVERIFY(showsPicture(f.shown(), helpsZero(), tensAt));
        QVERIFY(showsPicture(f.shown(), QStringLiteral(":/mip/digit-9.png"), unitsAt));
        // The two small buttons lie over the Exit button's upper part.
        QCOMPARE(mip->childAt(20, 125)->objectName(), mip::control::OnTop);
        QCOMPARE(mip->childAt(34, 140), mip->button(mip::control::Exit));

        int paints = 0;
        struct Counter : QObject {
            int &n;
            explicit Counter(int &count)
                : n(count)
            {}
            bool eventFilter(QObject *, QEvent *event) override
            {
                n += event->type() == QEvent::UpdateRequest || event->type() == QEvent::Paint;
                return false;
            }
        } counter(paints);
        QCoreApplication::processEvents();
        mip->installEventFilter(&counter);
        f.passAt("13:09:41");
        f.passAt("13:09:42");
        QCoreApplication::processEvents();
        QCOMPARE(paints, 0);
        f.passAt("13:10:00");
        QCoreApplication::processEvents();
        QVERIFY(paints > 0);
        mip->removeEventFilter(&counter);
        QVERIFY(showsPicture(f.shown(), QStringLiteral(":/mip/digit-1.png"), tensAt));
        QVERIFY(showsPicture(f.shown(), QStringLiteral(":/mip/digit-0.png"), unitsAt));

        // The Helps zero is read at the start of a run, a reload's included, and kept: a file gone
        // in the run changes nothing until the next run, which shows the list's zero and says so.
        f.passAt("14:05:00");
        f.reload();
        QVERIFY(showsPicture(f.shown(), helpsZero(), tensAt));
        QVERIFY(QFile::remove(f.folder.file("Helps/m0.gif")));
        f.passAt("14:09:59");
        QVERIFY(showsPicture(f.shown(), helpsZero(), tensAt));
        QCOMPARE(f.platform.warnings.size(), 1); // the skin
        f.passAt("14:10:00");
        f.passAt("15:00:00");
        QVERIFY(showsPicture(f.shown(), QStringLiteral(":/mip/digit-0.png"), tensAt));
        QCOMPARE(f.platform.warnings.size(), 2);
        QVERIFY(f.platform.warnings.back().contains(QStringLiteral("m0.gif")));
        f.passAt("15:10:00");
        f.passAt("16:00:00");
        QCOMPARE(f.platform.warnings.size(), 2);

        // On a dense screen the pictures' twins at twice the size take the plain ones' room.
        const QImage twin = loadArtwork(QStringLiteral(":/mip/hour-12.png"), 2.0);
        QCOMPARE(twin.size(), QSize(84, 84));
        QCOMPARE(twin.deviceIndependentSize(), QSizeF(42, 42));
    }

    // "Mip Numbers" on its own: each 1.6 s tick shows the next hour picture with its number,
    // placed by the table from the window's outer size; hidden, it sleeps.
    void mipNumbersCountsOneToTwelveAndRound()
    {
        Fixture f;
        f.program.registry().show(window::MipSamples);
        auto *samples = f.dialog<MipSamplesWindow>(window::MipSamples);
        QVERIFY(samples);
        QCOMPARE(samples->windowTitle(), QStringLiteral("Mip Numbers"));
        FakeTimer &timer = *f.platform.timers.back();
        QCOMPARE(timer.interval(), 1600);
        QCOMPARE(samples->numberLabel()->text(), QString());
        const QSize outer = samples->frameGeometry().size() * 15;
        const auto premultiplied = QImage::Format_ARGB32_Premultiplied;
        for (int tick = 1; tick <= 13; ++tick) {
            timer.elapse();
            const int n = (tick - 1) % 12 + 1;
            QCOMPARE(samples->numberLabel()->text(), QString::number(n));
            QCOMPARE(samples->picture()->pixmap().toImage().convertToFormat(premultiplied),
                     QImage(MipSamples::picture(n)).convertToFormat(premultiplied));
            const QPoint place = MipSamples::place(n, outer);
            QCOMPARE(samples->picture()->pos(), QPoint(qRound(place.x() / 15.0), qRound(place.y() / 15.0)));
        }
        QCOMPARE(MipSamples::place(12, {1770, 1515}), QPoint(473, 253));
        samples->hide(); // the help page's "Hide Sample"
        QVERIFY(!timer.isActive());
        samples->show();
        QVERIFY(timer.isActive());
        timer.elapse();
        QCOMPARE(samples->numberLabel()->text(), QStringLiteral("2"));
        samples->close();
        f.settle();
        QVERIFY(!f.program.registry().isLoaded(window::MipSamples));
    }

    // Its dialog "preff-ferendz" on the running clock: Open puts the stored look on it, Borderer
    // names what its next press does, the colours show at once (a cancel changes nothing), Zeive
    // writes the file whole or not at all, Candziel writes nothing and leaves the clock as it is.
    void lumbosDialogWorksOnTheRunningClock()
    {
        Fixture f("13:45:30");
        const QString lumbi = f.folder.file("Settings/lumbi.prf");
        const auto press = [&](LumboPrefsDialog *dialog, const char *name) {
            QTest::mouseClick(dialog->control(QString::fromLatin1(name)), Qt::LeftButton);
            f.settle();
        };
        const auto caption = [](LumboPrefsDialog *dialog) {
            return qobject_cast<QPushButton *>(dialog->control(QStringLiteral("Command5")))->text();
        };
        ClockWindow *lumbo = f.open(Design::Lumbo);
        TempProgramFolder::write(lumbi, " 255 \r\n 65280 \r\n 1 \r\n 1 \r\n");
        QTest::mouseClick(lumbo->button(lumbo::control::Preferences), Qt::LeftButton);
        auto *prefs = f.dialog<LumboPrefsDialog>(window::LumboPrefs);
        QVERIFY(prefs);
        QCOMPARE(prefs->windowTitle(), QStringLiteral("preff-ferendz"));
        QCOMPARE(f.player().log.last(), QStringLiteral("close"));
        QCOMPARE(f.pixel({300, 60}), Green);
        QCOMPARE(f.pixel({6, 50}), Red);
        QCOMPARE(f.pixel({4, 20}), Black);
        QCOMPARE(caption(prefs), QStringLiteral("No Borderer"));
        press(prefs, "Command5");
        QCOMPARE(caption(prefs), QStringLiteral("Borderer"));
        QCOMPARE(f.pixel({4, 20}), Red);

        f.platform.colourAnswers = {rgbValue(250, 250, 0), std::nullopt, rgbValue(0, 128, 0)};
        press(prefs, "Command1");
        QCOMPARE(f.pixel({300, 60}), QColor(250, 250, 0));
        const QImage before = f.shown();
        press(prefs, "Command2");
        QCOMPARE(f.shown(), before);
        press(prefs, "Command2");
        QCOMPARE(f.pixel({6, 50}), QColor(0, 128, 0));
        QCOMPARE(f.platform.colourChooserStarts,
                 (QList<ColourValue>{0, rgbValue(250, 250, 0), rgbValue(250, 250, 0)}));

        press(prefs, "Check1");
        {
            const FileSizeLimit full{6};
            press(prefs, "Command3");
        }
        QCOMPARE(TempProgramFolder::read(lumbi), QByteArray(" 255 \r\n 65280 \r\n 1 \r\n 1 \r\n"));
        QCOMPARE(f.platform.shownMessages.size(), 1);
        QVERIFY2(f.platform.shownMessages.first().contains(QDir::toNativeSeparators(lumbi)),
                 qPrintable(f.platform.shownMessages.first()));
        QVERIFY(f.program.registry().isLoaded(window::LumboPrefs)); // the choices are still there
        press(prefs, "Command3");
        QCOMPARE(TempProgramFolder::read(lumbi), QByteArray(" 32768 \r\n 64250 \r\n 0 \r\n 0 \r\n"));
        QVERIFY(!f.program.registry().isLoaded(window::LumboPrefs));

        QTest::mouseClick(lumbo->button(lumbo::control::Preferences), Qt::LeftButton);
        prefs = f.dialog<LumboPrefsDialog>(window::LumboPrefs);
        f.platform.colourAnswers = {rgbValue(0, 0, 128)};
        press(prefs, "Command2");
        press(prefs, "Command5");
        press(prefs, "Command4");
        QVERIFY(!f.program.registry().isLoaded(window::LumboPrefs));
        QCOMPARE(TempProgramFolder::read(lumbi), QByteArray(" 32768 \r\n 64250 \r\n 0 \r\n 0 \r\n"));
        f.passAt("13:45:31");
        QCOMPARE(f.pixel({6, 50}), Navy);
        QCOMPARE(f.pixel({4, 20}), Black);
    }

    // Without a running clock the dialog still saves, and says once that the file was damaged.
    void lumbosDialogWithoutAClock()
    {
        Fixture f;
        TempProgramFolder::write(f.folder.file("Settings/lumbi.prf"), " 1 \r\n");
        f.program.registry().show(window::LumboPrefs);
        auto *prefs = f.dialog<LumboPrefsDialog>(window::LumboPrefs);
        QCOMPARE(f.platform.warnings.size(), 1);
        QTest::mouseClick(prefs->control(QStringLiteral("Command3")), Qt::LeftButton);
        QCOMPARE(TempProgramFolder::read(f.folder.file("Settings/lumbi.prf")),
                 QByteArray(" 6573604 \r\n 5456158 \r\n 0 \r\n 1 \r\n"));
    }

    // The hour's picture through the oval, at scale 1 and (a second run) at scale 2, where the
    // oval keeps its logical size and the picture is its twice-as-large twin, pixel for pixel. The
    // window creeps left a pixel every few minutes at either scale.
    void perrinsOvalAndItsHourPicture()
    {
        Fixture f("18:30:05");
        ClockWindow *perrin = f.open(Design::Perrin);
        QVERIFY(QTest::qWaitForWindowExposed(perrin));
        const qreal ratio = perrin->devicePixelRatioF();
        QCOMPARE(perrin->size(), QSize(233, 200));
        QCOMPARE(perrin->mask(),
                 QRegion(0, 0, 133, 130, QRegion::Ellipse) - QRegion(1, 1, 19, 9, QRegion::Ellipse));
        QCOMPARE(perrin->button(perrin::control::HotSpot)->toolTip(), QStringLiteral(" 18"));
        QVERIFY(perrin->button(perrin::control::Minutes)
                    ->findChild<QLabel *>(QStringLiteral("minutlbl"))
                    ->text() == u"30");
        for (const auto &[now, picture] : {std::pair{"00:20:00", 24}, std::pair{"12:59:40", 12}}) {
            f.passAt(now);
            const QString path = PerrinClock::picturePath(picture);
            const QImage expected(
                ratio == 1 ? path : QString(path).replace(QStringLiteral(".png"), QStringLiteral("@2x.png")));
            QVERIFY(!expected.isNull());
            const QImage shot = f.shown();
            // The picture lies 13 px up and left of the window.
            for (const QPoint at : {QPoint(30, 30), QPoint(66, 12), QPoint(110, 60), QPoint(66, 120)})
                QCOMPARE(shot.pixelColor(at * ratio), expected.pixelColor((at + QPoint(13, 13)) * ratio));
        }
        const int left = perrin->x();
        for (int minute = 0; minute < 6; ++minute)
            f.passAt(qPrintable(QStringLiteral("13:%1:00").arg(minute, 2, 10, QLatin1Char('0'))));
        QCOMPARE(perrin->x(), left - 2);
        QCOMPARE(perrin->button(perrin::control::HotSpot)->toolTip(), QStringLiteral(" 13"));
    }
};

QTEST_MAIN(TestClockWindows)
#include "tst_clockwindows.moc"
