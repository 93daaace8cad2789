#include "base/WindowNames.h"
#include "clocks/ClockFrame.h"
#include "clocks/ClockWindow.h"
#include "clocks/Designs.h"
#include "clocks/dov/DovControls.h"
#include "clocks/lumbo/LumboControls.h"
#include "clocks/lumbo/LumboPrefsDialog.h"
#include "clocks/perrin/PerrinClock.h"
#include "clocks/perrin/PerrinControls.h"
#include "help/MipSamples.h"
#include "help/MipSamplesWindow.h"
#include "platform/QtPlatform.h"
#include "settings/SettingsStore.h"
#include "settings/SkinManagerDialog.h"
#include "support/ClockRig.h"
#include "support/FileSizeLimit.h"
#include "support/ProgramRig.h"
#include "ui/Colours.h"

#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QResource>
#include <QScreen>
#include <QToolTip>
#include <QtEndian>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace vrim;
using namespace vrim::test;

namespace {

const QColor Black(0, 0, 0), Red(255, 0, 0), Green(0, 255, 0), Navy(0, 0, 128), Pink(255, 0, 255),
    Grey(224, 224, 224);

// Where the pictures under a resource folder (":/perrin") lie in this program's memory. Finding
// out reads a little of each.
std::pair<quintptr, quintptr> spanOf(const QString &folder)
{
    quintptr from = ~quintptr(0), to = 0;
    QDirIterator files(folder, QDir::Files);
    while (files.hasNext()) {
        const QResource file(files.next());
        from = std::min(from, quintptr(file.data()));
        to = std::max(to, quintptr(file.data() + file.size()));
    }
    return {from, to};
}

// Kilobytes of [from, to) in this program's memory: its pages present, as /proc/self/pagemap tells.
int presentKb(std::pair<quintptr, quintptr> span)
{
    const auto [from, to] = span;
    QFile pagemap(QStringLiteral("/proc/self/pagemap"));
    if (from >= to || !pagemap.open(QIODevice::ReadOnly) || !pagemap.seek(qint64(from / 4096 * 8)))
        return -1;
    const QByteArray entries = pagemap.read(qint64((to - from) / 4096 + 1) * 8);
    int present = 0;
    for (qsizetype i = 0; i + 8 <= entries.size(); i += 8)
        present += (qFromLittleEndian<quint64>(entries.constData() + i) >> 63) ? 4 : 0;
    return present;
}

QImage solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The gesture a trigger wants on a control, or (`wrong`) the nearest one that must not fire it.
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

// Every clock in its real window on the offscreen platform: its pixels, frame controls and menu.
class TestClockWindows : public QObject {
    Q_OBJECT

    struct Fixture : ProgramRig {
        ClockWindow *clock = nullptr;

        explicit Fixture(const char *now = "10:20:05")
            : ProgramRig(QString::fromLatin1(now))
        {}
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
        QColor orFace(QColor c) const { return c.isValid() ? c : clock->palette().color(QPalette::Button); }
        void reload()
        {
            clock->clock().refresh().raise();
            ticker().elapse();
        }
        SkinManagerDialog *dovSkinManager()
        {
            clock->clock().frame().chooseMenuItem(QStringLiteral("SkinMgr"));
            return loadedWidget<SkinManagerDialog>(QStringLiteral("dovprefs"));
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
    // First, before any menu has had the mouse: tips show over a window that is not active.
    void tipsShowOverAWindowThatIsNotActive_data()
    {
        columns<QString, QString, QPoint, QString>();
        // clang-format off
        QTest::newRow("Dov's minutes, painted on its face") << window::Dov << "" << QPoint(45, 54) << "Minutes";
        QTest::newRow("Dov's Quit button") << window::Dov << dov::control::Quit << QPoint(3, 3) << "Quit";
        QTest::newRow("the stopwatch's on-top button") << window::Stopwatch << "Picture4" << QPoint(5, 5) << "OnTop";
        // clang-format on
    }
    void tipsShowOverAWindowThatIsNotActive()
    {
        const auto [window, control, at, tip] = fetched<QString, QString, QPoint, QString>();
        Fixture f;
        QWidget *shown = f.show(window);
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

    // Each window opens framed by itself, on top, at its place (kept whole on a small screen), its
    // buttons painted; its on-top button toggles on any mouse button and any part of it (Perrin's
    // minutes too). Closed, it closes its player and shows the launcher where the design says so.
    void aWindowFromOpeningToClosing_data()
    {
        addDesigns([](const FrameDesign &) { return true; });
    }
    void aWindowFromOpeningToClosing()
    {
        QFETCH(Design, design);
        const FrameDesign &frame = cardOf(design).frame;
        Fixture f;
        ClockWindow *window = f.open(design);
        QVERIFY(window);
        const QRect place = twipsRect(frame.twips);
        const QRect room = window->screen()->availableGeometry();
        QCOMPARE(window->geometry(), place.translated(std::min(0, room.right() - place.right()),
                                                      std::min(0, room.bottom() - place.bottom())));
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(window->windowTitle(), frame.caption.isEmpty() ? frame.window : frame.caption);
        for (const auto &[name, colour] : frame.paintedAtLoad)
            QCOMPARE(f.pixel(insideOf(window, name)), toQColor(colour));

        QWidget *button = window->button(frame.onTopButton);
        const QPoint centre = (button->geometry() & window->rect()).center() - button->pos();
        for (const auto &[mouse, onTop] : {std::pair{Qt::NoButton, true}, std::pair{Qt::RightButton, false},
                                           std::pair{Qt::MiddleButton, true}}) {
            if (mouse != Qt::NoButton) {
                QTest::mousePress(button, mouse, {}, centre);
                QTest::mouseRelease(button, mouse, {}, centre);
            }
            QCOMPARE(bool(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint), onTop);
            QCOMPARE(f.pixel(insideOf(window, frame.onTopButton)),
                     toQColor(onTop ? frame.onTopOn : frame.onTopOff));
        }

        window->close();
        if (design != Design::Perrin) // the one without a player
            QCOMPARE(f.player().log.last(), QStringLiteral("Close"));
        f.settle();
        const bool showsLauncher =
            QList{Design::Norvi, Design::Mip, Design::Jolvex, Design::Perrin}.contains(design);
        QCOMPARE(f.program.registry().loaded(),
                 showsLauncher ? QStringList{window::Launcher} : QStringList{});
        QVERIFY(!f.program.ticker().isRunning());
    }

    // A press and release in place is a drag that went nowhere: the design's step follows it.
    // Dov's 11 bar, lit by a new hour and dimmed by the next pass, is dim from the first paint.
    void aClickOnTheMoveHandleDoesTheAfterDragStep_data()
    {
        columns<Design, QString, QString, QPoint, QColor>();
        // clang-format off
        QTest::newRow("Dov resets, and the 11 bar stays dim") << Design::Dov << "11:30:00" << "11:30:00" << QPoint(32, 4) << QColor(105, 105, 100);
        QTest::newRow("Quenz resets: the hour bar cleared") << Design::Quenz << "10:20:05" << "10:20:07" << QPoint(5, 50) << QColor();
        QTest::newRow("Norvi shows the second of the drag's end") << Design::Norvi << "15:34:27" << "15:34:29" << twipsRect({510, 1380, 105, 135}).center() << Red; // its lamp of second 9
        QTest::newRow("Vrimcolor asks for a reload, and the face stays") << Design::Vrimcolor << "09:30:03" << "09:30:03" << QPoint(11, 100) << Navy;
        QTest::newRow("Jolvex does nothing") << Design::Jolvex << "10:30:15" << "10:30:15" << QPoint(15, 12) << Pink;
        // clang-format on
    }
    void aClickOnTheMoveHandleDoesTheAfterDragStep()
    {
        const auto [design, opened, clicked, at, colour] =
            fetched<Design, QString, QString, QPoint, QColor>();
        Fixture f(qPrintable(opened));
        ClockWindow *window = f.open(design);
        if (design == Design::Dov)
            QCOMPARE(f.pixel(at), colour);
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

    // The menu pops up on the design's gesture and no other, every item enabled and opening its window.
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

    // A skin, and a photo far larger than the window, show at their own size from the top-left; an
    // empty path keeps the picture where the design does so, and clears it elsewhere. No faults.
    void theSkinAtItsOwnSize_data()
    {
        columns<Design, QPoint, QPoint, QColor>();
        QTest::newRow("Norvi, its frame") << Design::Norvi << QPoint(2, 10) << QPoint(2, 100) << Black;
        QTest::newRow("Vrimcolor") << Design::Vrimcolor << QPoint(3, 3) << QPoint(3, 25) << QColor();
        QTest::newRow("Jolvex") << Design::Jolvex << QPoint(5, 3) << QPoint(45, 40) << Grey;
    }
    void theSkinAtItsOwnSize()
    {
        const auto [design, inside, beyond, under] = fetched<Design, QPoint, QPoint, QColor>();
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

    // Reading a pipe would wait for a writer for ever: the clock and its Skin Manager open at once.
    void aPipeNamedAsTheSkinIsRefusedWithoutWaiting()
    {
        Fixture f;
        const QString pipe = f.folder.file("night.jpg");
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        QVERIFY(SettingsStore(DataFolders(f.folder.path())).writeSkin(Design::Dov, {pipe, {}}).ok());
        ClockWindow *dov = f.open(Design::Dov);
        QVERIFY(dov && !dov->hasPicture());
        QCOMPARE(f.platform.warnings.size(), 1);
        QVERIFY2(f.platform.warnings.front().contains(QStringLiteral("night.jpg")) &&
                     f.platform.warnings.front().contains(QStringLiteral("not a regular file")),
                 qPrintable(f.platform.warnings.front()));
        QVERIFY(f.dovSkinManager());
    }

    void aFaultIsSaidOnceUntilItChanges()
    {
        Fixture f;
        const QString skinFile = f.folder.file("Settings/Dovpref.prf");
        TempProgramFolder::write(skinFile, QByteArray(64 * 1024, 'a')); // one huge value
        QVERIFY(f.open(Design::Dov));
        QCOMPARE(f.platform.warnings.size(), 2); // the file, then the default picture it falls back to
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

    // Identical warnings share one box; different ones are shown one at a time, in their order.
    void warningsShowOneAtATimeInOrder()
    {
        QtMessages messages;
        // The texts of the boxes shown, or (`close`) their Ok pressed.
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

    // "café.png" with the single byte E9, as an older version wrote it: found, and written back as it
    // was by an Ok without changes. Ok after changes brings one reload at once.
    void theSkinManagersOk()
    {
        Fixture f;
        const QByteArray name = QFile::encodeName(f.folder.path()) + "/caf\xe9.png";
        QVERIFY(solid({8, 8}, Qt::red).save(f.folder.file("plain.png")));
        QVERIFY(::rename(QFile::encodeName(f.folder.file("plain.png")).constData(), name.constData()) == 0);
        const auto remove = qScopeGuard([&name] { ::unlink(name.constData()); }); // Qt cannot see it
        const QString skinFile = f.folder.file("Settings/Dovpref.prf");
        TempProgramFolder::write(skinFile, name + "\r\n");
        ClockWindow *dov = f.open(Design::Dov);
        RecordingPlayer &player = f.player();
        QVERIFY2(dov->hasPicture(), qPrintable(f.platform.warnings.join(u'\n')));
        QTest::mouseClick(f.dovSkinManager()->button(QStringLiteral("Ok")), Qt::LeftButton);
        f.settle();
        QCOMPARE(TempProgramFolder::read(skinFile), name + "\r\n");

        f.ticker().elapse(); // the reload after it
        player.log.clear();
        SkinManagerDialog *dialog = f.dovSkinManager();
        const QString night = f.folder.file("night.jpg");
        f.platform.chooserAnswers = {night};
        QTest::mouseClick(dialog->button(QStringLiteral("View")), Qt::LeftButton);
        QTest::mouseClick(dialog->intervalButton(4), Qt::LeftButton); // "1 hour"
        QTest::mouseClick(dialog->button(QStringLiteral("Ok")), Qt::LeftButton);
        f.settle();
        QCOMPARE(f.ticker().interval(), 0);
        f.ticker().elapse();
        f.ticker().elapse(); // the next second's
        QCOMPARE(player.log.filter(QRegularExpression("^prepare ")).size(), 1);
        QCOMPARE(dov->clock().pictures().value(0), night);
        QCOMPARE(dov->clock().chime(), QStringLiteral("1 hour"));
        QCOMPARE(dov->clock().refresh().carrier(), QString());
    }

    // Mip Numbers: each 1.6 s tick shows the next hour picture and number, placed by the table from
    // the window's outer size; hidden, it sleeps.
    void mipNumbersCountsOneToTwelveAndRound()
    {
        Fixture f;
        auto *samples = f.show<MipSamplesWindow>(window::MipSamples);
        QVERIFY(samples);
        FakeTimer &timer = *f.platform.timers.back();
        QCOMPARE(timer.interval(), 1600);
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

    // Lumbo's dialog: Open puts the stored look on the clock, Borderer names its next press, colours
    // show at once, Zeive writes the file whole or not at all, Candziel writes nothing and leaves the
    // clock as it was. Without a running clock it still saves, and says once the file was damaged.
    void lumbosDialog()
    {
        Fixture f("13:45:30");
        const QString lumbi = f.folder.file("Settings/lumbi.prf");
        LumboPrefsDialog *prefs = nullptr;
        const auto press = [&](const char *name) {
            QTest::mouseClick(prefs->control(QString::fromLatin1(name)), Qt::LeftButton);
            f.settle();
        };
        const auto caption = [&] { return qobject_cast<QPushButton *>(prefs->control("Command5"))->text(); };
        // The window, the bar and the border line.
        const auto look = [&] {
            return QList<QColor>{f.pixel({300, 60}), f.pixel({6, 50}), f.pixel({4, 20})};
        };
        TempProgramFolder::write(lumbi, " 1 \r\n");
        prefs = f.show<LumboPrefsDialog>(window::LumboPrefs);
        QCOMPARE(f.platform.warnings.size(), 1);
        press("Command3");
        QCOMPARE(TempProgramFolder::read(lumbi), QByteArray(" 6573604 \r\n 5456158 \r\n 0 \r\n 1 \r\n"));

        ClockWindow *lumbo = f.open(Design::Lumbo);
        TempProgramFolder::write(lumbi, " 255 \r\n 65280 \r\n 1 \r\n 1 \r\n");
        QTest::mouseClick(lumbo->button(lumbo::control::Preferences), Qt::LeftButton);
        prefs = f.loadedWidget<LumboPrefsDialog>(window::LumboPrefs);
        QVERIFY(prefs);
        QCOMPARE(f.player().log.last(), QStringLiteral("close"));
        QCOMPARE(look(), (QList<QColor>{Green, Red, Black}));
        QCOMPARE(caption(), QStringLiteral("No Borderer"));
        press("Command5");
        QCOMPARE(caption(), QStringLiteral("Borderer"));
        QCOMPARE(f.pixel({4, 20}), Red);

        f.platform.colourAnswers = {rgbValue(250, 250, 0), std::nullopt, rgbValue(0, 128, 0)};
        press("Command1");
        QCOMPARE(f.pixel({300, 60}), QColor(250, 250, 0));
        const QImage before = f.shown();
        press("Command2");
        QCOMPARE(f.shown(), before);
        press("Command2");
        QCOMPARE(f.pixel({6, 50}), QColor(0, 128, 0));
        QCOMPARE(f.platform.colourChooserStarts,
                 (QList<ColourValue>{0, rgbValue(250, 250, 0), rgbValue(250, 250, 0)}));

        press("Check1");
        {
            const FileSizeLimit full{6};
            press("Command3");
        }
        QCOMPARE(TempProgramFolder::read(lumbi), QByteArray(" 255 \r\n 65280 \r\n 1 \r\n 1 \r\n"));
        QCOMPARE(f.platform.shownMessages.size(), 1);
        QVERIFY2(f.platform.shownMessages.first().contains(QDir::toNativeSeparators(lumbi)),
                 qPrintable(f.platform.shownMessages.first()));
        QVERIFY(f.program.registry().isLoaded(window::LumboPrefs)); // the choices are still there
        press("Command3");
        const QByteArray saved(" 32768 \r\n 64250 \r\n 0 \r\n 0 \r\n");
        QCOMPARE(TempProgramFolder::read(lumbi), saved);
        QVERIFY(!f.program.registry().isLoaded(window::LumboPrefs));

        QTest::mouseClick(lumbo->button(lumbo::control::Preferences), Qt::LeftButton);
        prefs = f.loadedWidget<LumboPrefsDialog>(window::LumboPrefs);
        f.platform.colourAnswers = {rgbValue(0, 0, 128)};
        for (const char *name : {"Command2", "Command5", "Command4"})
            press(name);
        QVERIFY(!f.program.registry().isLoaded(window::LumboPrefs));
        QCOMPARE(TempProgramFolder::read(lumbi), saved);
        f.passAt("13:45:31");
        QCOMPARE(f.pixel({6, 50}), Navy);
        QCOMPARE(f.pixel({4, 20}), Black);
    }

    // The hour's picture through the oval, at scale 1 and (a second run) 2, where the oval keeps its
    // logical size and the picture is its twice-as-large twin; it creeps left at either scale.
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

    // A clock that shows another picture every hour holds no more memory for it a day later: the
    // pages its pictures were read from, and the neighbours the kernel maps in with them (up to
    // 64 kB blocks), go once each is decoded.
    void anHourlyPictureLeavesNoPagesBehind()
    {
        Fixture f("00:30:00");
        QVERIFY(QTest::qWaitForWindowExposed(f.open(Design::Perrin)));
        auto around = spanOf(QStringLiteral(":/perrin"));
        constexpr quintptr block = 64 * 1024;
        around = {around.first / block * block, (around.second + block - 1) / block * block};
        for (int hour = 1; hour < 24; ++hour)
            f.passAt(qPrintable(QStringLiteral("%1:30:00").arg(hour, 2, 10, QLatin1Char('0'))));
        // Held, a day's pictures with the twins read along with them come to several hundred,
        // and the neighbours of those read alone to over 80.
        const int held = presentKb(around);
        QVERIFY(held >= 0);
        QCOMPARE_LE(held, 16);
    }
};

QTEST_MAIN(TestClockWindows)
#include "tst_clockwindows.moc"
