#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "clocks/dov/DovClock.h"
#include "platform/QtPlatform.h"
#include "settings/SettingsStore.h"
#include "settings/SkinManagerDialog.h"
#include "support/ProgramRig.h"
#include "ui/ClickLabel.h"
#include "ui/WidgetWindow.h"

#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace vrim;
using namespace vrim::test;

class TestDovWindow : public QObject {
    Q_OBJECT

    struct Fixture : ProgramRig {
        Fixture()
            : ProgramRig(QStringLiteral("15:20:05"))
        {}
        ClockWindow *open() { return openClock(Design::Dov); }
    };

    static void settle() { ProgramRig::settle(); }
    static const DovFace &dovFace(ClockWindow *window)
    {
        return static_cast<DovClock &>(window->clock()).dovFace();
    }
    static QColor colourOf(QWidget *widget) { return widget->palette().color(QPalette::Window); }

private Q_SLOTS:
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
    // A gadget is seldom the active window: its tips show on hover all the same.
    void tipsShowOverAWindowThatIsNotActive()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QPoint, at);
        QFETCH(QString, tip);
        Fixture f;
        f.program.registry().show(window);
        auto *handle = dynamic_cast<WidgetWindow *>(f.program.registry().window(window));
        QVERIFY(handle && handle->widget());
        QWidget *shown = handle->widget();
        QWidget *target = control.isEmpty() ? shown : shown->findChild<QWidget *>(control);
        QVERIFY(target);
        QVERIFY(QTest::qWaitForWindowExposed(shown));

        QWidget elsewhere; // the window the user works in
        elsewhere.setGeometry(10, 10, 100, 100);
        elsewhere.show();
        elsewhere.activateWindow();
        QTRY_VERIFY(elsewhere.isActiveWindow());
        QVERIFY(!shown->isActiveWindow());

        QToolTip::hideText();
        QTest::mouseMove(target, at);
        QTRY_VERIFY2(QToolTip::isVisible(), "no tip showed");
        QCOMPARE(QToolTip::text(), tip);
        QToolTip::hideText();
    }

    void opensOnTopAtItsPlaceWithButtonsPainted()
    {
        Fixture f;
        ClockWindow *dov = f.open();
        QVERIFY(dov);
        QCOMPARE(dov->geometry(), QRect(658, 424, 110, 133));
        QVERIFY(dov->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(dov->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(colourOf(dov->button(dov::control::OnTop)), QColor(192, 255, 120));
        QCOMPARE(colourOf(dov->button(dov::control::Move)), QColor(192, 255, 120));
        QCOMPARE(colourOf(dov->button(dov::control::Quit)), QColor(255, 0, 0));
        QCOMPARE(colourOf(dov->button(dov::control::Preferences)), QColor(255, 192, 128));
        QCOMPARE(dov->button(dov::control::Quit)->toolTip(), QStringLiteral("Quit"));
        QCOMPARE(dovFace(dov).bar(2), DovFace::Lit); // 15:20 is the "3" bar
        QVERIFY(dov->hasPicture() == false);         // the test folder has no pictures...
        QCOMPARE(f.platform.warnings.size(), 1);     // ...which is said once
        QVERIFY(f.platform.warnings.front().contains(QStringLiteral("blui-3d.jpg")));
    }

    void theElevenOClockHourShowsNoLitBar()
    {
        // The "11" bar is lit by a new hour and dimmed by the very next pass; on screen it must
        // be dim from the first paint, and again right after a drag.
        Fixture f;
        f.platform.clock.now = QStringLiteral("11:30:00");
        ClockWindow *dov = f.open();
        const QPoint elevenBar(32, 4);
        QCOMPARE(dov->grab().toImage().pixelColor(elevenBar), QColor(105, 105, 100));
        QTest::mousePress(dov->button(dov::control::OnTop), Qt::LeftButton); // resets the face
        QCOMPARE(dov->grab().toImage().pixelColor(elevenBar), QColor(105, 105, 100));
    }

    void onTopButtonTogglesWithAnyButton()
    {
        Fixture f;
        ClockWindow *dov = f.open();
        QTest::mousePress(dov->button(dov::control::OnTop), Qt::RightButton);
        QCOMPARE(colourOf(dov->button(dov::control::OnTop)), QColor(255, 0, 0));
        QVERIFY(!dov->clock().frame().isOnTop());
        QTest::mousePress(dov->button(dov::control::OnTop), Qt::MiddleButton);
        QCOMPARE(colourOf(dov->button(dov::control::OnTop)), QColor(192, 255, 120));
    }

    void menuItemsAndTheirState()
    {
        Fixture f;
        ClockWindow *dov = f.open();
        const auto items = dov->menuItems();
        QStringList names, disabled;
        for (const auto &[name, state] : items) {
            names.append(name);
            if (!state.enabled)
                disabled.append(name);
            if (name == u"SoundOn")
                QVERIFY(state.checked);
        }
        QCOMPARE(names,
                 (QStringList{"Helpmnu", "SkinMgr", "Sound", "SoundOn", "SoundOff", "", "About", "Quit"}));
        // Every window the menu opens is in this build: nothing is greyed out.
        QCOMPARE(disabled, QStringList{});
    }

    void quitButtonClickShowsTheLauncher()
    {
        Fixture f;
        ClockWindow *dov = f.open();
        QTest::mousePress(dov->button(dov::control::Quit), Qt::LeftButton);
        QVERIFY(f.program.registry().isLoaded(window::Dov)); // a click, not a press
        QTest::mouseRelease(dov->button(dov::control::Quit), Qt::LeftButton);
        QVERIFY(f.player().log.contains("Close")); // read before the window and its player go
        settle();
        QCOMPARE(f.program.registry().loaded(), QStringList{window::Launcher});
    }

    void closingStopsTheTicksAndShowsNoLauncher()
    {
        Fixture f;
        ClockWindow *dov = f.open();
        dov->close();
        settle();
        QVERIFY(f.program.registry().loaded().isEmpty());
        QVERIFY(!f.program.ticker().isRunning());
    }

    void skinManagerOkReloadsTheClockOnce()
    {
        Fixture f;
        ClockWindow *dov = f.open();
        FakeTimer *ticker = f.platform.timers.front();
        RecordingPlayer &clockPlayer = f.player();
        dov->clock().frame().chooseMenuItem(QStringLiteral("SkinMgr"));
        QCOMPARE(clockPlayer.log.last(), QStringLiteral("close"));
        auto *handle = dynamic_cast<WidgetWindow *>(f.program.registry().window(QStringLiteral("dovprefs")));
        auto *dialog = qobject_cast<SkinManagerDialog *>(handle->widget());
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Dov Skin Manager"));

        const QString night = f.folder.file("night.jpg");
        f.platform.chooserAnswers = {night};
        QTest::mouseClick(dialog->button(QStringLiteral("View")), Qt::LeftButton);
        QTest::mouseClick(dialog->intervalButton(4), Qt::LeftButton); // "1 hour"
        QTest::mouseClick(dialog->button(QStringLiteral("Ok")), Qt::LeftButton);
        settle();
        QVERIFY(!f.program.registry().isLoaded(QStringLiteral("dovprefs")));

        const auto prepares = [&] { return clockPlayer.log.filter(QRegularExpression("^prepare ")).size(); };
        QCOMPARE(prepares(), 1);
        ticker->elapse(); // the pass asked for at once
        ticker->elapse(); // and the next second's
        QCOMPARE(prepares(), 2);
        QCOMPARE(dov->clock().pictures().value(0), night);
        QCOMPARE(dov->clock().chime(), QStringLiteral("1 hour"));
    }

    void aPipeNamedAsTheSkinIsRefusedWithoutWaiting()
    {
        Fixture f;
        const QString pipe = f.folder.file("night.jpg");
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        QVERIFY(SettingsStore(DataFolders(f.folder.path())).writeSkin(Design::Dov, {pipe, {}}).ok());

        ClockWindow *dov = f.open(); // reading the pipe would wait here for a writer, for ever
        QVERIFY(dov);
        QVERIFY(!dov->hasPicture());
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
        ClockWindow *dov = f.open();
        FakeTimer *ticker = f.platform.timers.front();
        const auto reload = [&] {
            dov->clock().refresh().raise();
            ticker->elapse();
        };
        QCOMPARE(f.platform.warnings.size(), 2); // the file, then the default picture it falls back to
        for (const QString &warning : f.platform.warnings)
            QVERIFY2(warning.size() < 400, qPrintable(warning.left(400)));
        reload();
        reload();
        QCOMPARE(f.platform.warnings.size(), 2);

        // A different fault is said at once; the picture's, unchanged, is not said again.
        TempProgramFolder::write(skinFile, "");
        reload();
        QCOMPARE(f.platform.warnings.size(), 3);
        QVERIFY(f.platform.warnings.last().contains(QStringLiteral("0 of its 1 lines")));

        // Mended, then broken again: a new fault as far as the user can tell.
        TempProgramFolder::write(skinFile, f.folder.file("night.jpg").toUtf8() + "\r\n");
        reload();
        TempProgramFolder::write(skinFile, "");
        reload();
        QCOMPARE(f.platform.warnings.size(), 6); // night.jpg is missing, then both of the above
    }

    // Identical warnings share one box; different ones are shown one at a time, in the order
    // they were found, so that the first is read first.
    void warningsShowOneAtATimeInOrder()
    {
        QtMessages messages;
        const auto shown = [] {
            QStringList texts;
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                    texts.append(box->text());
            return texts;
        };
        const QStringList before = shown();
        messages.warn(QStringLiteral("The skin file is damaged."));
        messages.warn(QStringLiteral("The skin file is damaged."));
        messages.warn(QStringLiteral("The sound file is damaged."));
        messages.warn(QStringLiteral("The skin file is damaged."));
        messages.warn(QStringLiteral("The sound file is damaged."));
        QCoreApplication::processEvents(); // a box shows once the window that warns has
        QCOMPARE(shown(), before + QStringList{"The skin file is damaged."});
        const auto closeShown = [] {
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                    box->button(QMessageBox::Ok)->click();
            settle();
        };
        closeShown();
        QCOMPARE(shown(), before + QStringList{"The sound file is damaged."});
        closeShown();
        QCOMPARE(shown(), before);
    }

    void aSkinNamedInAnOlderEncodingIsFoundAndKept()
    {
        Fixture f;
        // "café.png" as an older version named it, with the é as the single byte E9.
        const QByteArray name = QFile::encodeName(f.folder.path()) + "/Skins/caf\xe9.png";
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(f.folder.file("Skins/plain.png")));
        QVERIFY(::rename(QFile::encodeName(f.folder.file("Skins/plain.png")).constData(), name.constData()) ==
                0);
        const auto remove =
            qScopeGuard([&name] { ::unlink(name.constData()); }); // Qt cannot see it to remove it
        const QString skinFile = f.folder.file("Settings/Dovpref.prf");
        TempProgramFolder::write(skinFile, name + "\r\n");

        ClockWindow *dov = f.open();
        QVERIFY2(dov->hasPicture(), qPrintable(f.platform.warnings.join(u'\n')));

        // Ok in the Skin Manager with nothing changed writes the same bytes back.
        dov->clock().frame().chooseMenuItem(QStringLiteral("SkinMgr"));
        auto *handle = dynamic_cast<WidgetWindow *>(f.program.registry().window(QStringLiteral("dovprefs")));
        auto *dialog = qobject_cast<SkinManagerDialog *>(handle->widget());
        QVERIFY(dialog);
        QTest::mouseClick(dialog->button(QStringLiteral("Ok")), Qt::LeftButton);
        settle();
        QVERIFY(!f.program.registry().isLoaded(QStringLiteral("dovprefs")));
        QCOMPARE(TempProgramFolder::read(skinFile), name + "\r\n");
    }

    void aRaisedRefreshIsTakenAtOnce()
    {
        Fixture f;
        ClockWindow *dov = f.open();
        FakeTimer *ticker = f.platform.timers.front();
        dov->clock().refresh().raise();
        QCOMPARE(ticker->interval(), 0);
        ticker->elapse();
        QCOMPARE(dov->clock().refresh().carrier(), QString());
        QCOMPARE(f.platform.warnings.size(), 1); // the missing skin, not said again on reload
    }
};

QTEST_MAIN(TestDovWindow)
#include "tst_dovwindow.moc"
