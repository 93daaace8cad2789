#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "clocks/lumbo/LumboClock.h"
#include "clocks/lumbo/LumboPrefsDialog.h"
#include "support/FileSizeLimit.h"
#include "support/ProgramRig.h"
#include "ui/WidgetWindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

using namespace vrim;
using namespace vrim::test;

namespace {

const QColor Green(0, 255, 0), Red(255, 0, 0), Blue(0, 0, 255), HalfDay(105, 105, 100);
const QColor Black(0, 0, 0), LightGreen(192, 255, 120);

// Pixels of the window: a point inside panel i, its hour button and its small square.
QPoint inPanel(int i) { return {12 + 48 * i + 20, 30}; }
QPoint onHour(int i) { return {12 + 48 * i + 3, 11}; } // clear of its number
QPoint onSquare(int i) { return {12 + 48 * i + 40, 12}; }

} // namespace

// The Lumbo clock in its real window, read as pixels, and its dialog "preff-ferendz" working on
// it: what the user sees change, and what lumbi.prf holds afterwards.
class TestLumboWindow : public QObject {
    Q_OBJECT

    struct Fixture : ProgramRig {
        ClockWindow *lumbo = nullptr;

        explicit Fixture(const QByteArray &stored = " 6573604 \r\n 5456158 \r\n 0 \r\n 1 \r\n")
            : ProgramRig(QStringLiteral("13:45:30"))
        {
            TempProgramFolder::write(lumbi(), stored);
        }
        QString lumbi() const { return folder.file("Settings/lumbi.prf"); }
        ClockWindow *open()
        {
            lumbo = openClock(Design::Lumbo);
            return lumbo;
        }
        QColor pixel(QPoint at) const { return lumbo->grab().toImage().pixelColor(at); }
        QColor buttonFace() const { return lumbo->palette().color(QPalette::Button); }
        // The dialog, opened by the clock's Pref button.
        LumboPrefsDialog *prefs()
        {
            QTest::mouseClick(lumbo->button(lumbo::control::Preferences), Qt::LeftButton);
            auto *handle = dynamic_cast<WidgetWindow *>(program.registry().window(window::LumboPrefs));
            return handle ? qobject_cast<LumboPrefsDialog *>(handle->widget()) : nullptr;
        }
        static void press(LumboPrefsDialog *dialog, const char *name)
        {
            QTest::mouseClick(dialog->control(QString::fromLatin1(name)), Qt::LeftButton);
            settle();
        }
        static QString caption(LumboPrefsDialog *dialog, const char *name)
        {
            return qobject_cast<QPushButton *>(dialog->control(QString::fromLatin1(name)))->text();
        }
    };

private Q_SLOTS:
    void theLampsOfTheTimeOnScreen()
    {
        Fixture f;
        ClockWindow *lumbo = f.open();
        QVERIFY(lumbo);
        QCOMPARE(lumbo->geometry(), QRect(101, 34, 600, 65));
        QVERIFY(lumbo->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(lumbo->windowTitle(), QStringLiteral("lum-bo"));
        QCOMPARE(f.pixel(onHour(0)), Green); // 13:45: hour 1
        QCOMPARE(f.pixel(onHour(11)), f.buttonFace());
        QCOMPARE(f.pixel(onSquare(3)), Red); // tens 4
        QCOMPARE(f.pixel(inPanel(4)), Blue); // units 5
        QCOMPARE(f.pixel(inPanel(3)), f.buttonFace());
        QCOMPARE(f.pixel(onSquare(11)), HalfDay); // afternoon
        QCOMPARE(f.pixel(onSquare(10)), f.buttonFace());
        QCOMPARE(f.pixel({6, 50}), QColor(36, 78, 100));  // the bar, 6573604
        QCOMPARE(f.pixel({4, 0}), QColor(36, 78, 100));   // no border line
        QCOMPARE(f.pixel({300, 60}), QColor(30, 65, 83)); // the window, 5456158

        // The buttons: Pref, Move and On Top cut off by the window's bottom edge.
        QCOMPARE(lumbo->button(lumbo::control::Preferences)->geometry(), QRect(582, 58, 15, 9));
        QCOMPARE(lumbo->button(lumbo::control::Quit)->geometry(), QRect(12, 48, 15, 9));
        QCOMPARE(f.pixel({544, 61}), LightGreen); // On Top
        QCOMPARE(f.pixel({564, 61}), LightGreen); // Move

        f.passAt("13:50:00");
        QCOMPARE(f.pixel(onSquare(4)), Red);
        QCOMPARE(f.pixel(onSquare(3)), f.buttonFace());
        QCOMPARE(f.pixel(inPanel(4)), f.buttonFace());
    }

    void quitShowsTheLauncher()
    {
        Fixture f;
        ClockWindow *lumbo = f.open();
        QTest::mousePress(lumbo->button(lumbo::control::Quit), Qt::LeftButton);
        QVERIFY(f.player().log.contains("Close"));
        ProgramRig::settle();
        QCOMPARE(f.program.registry().loaded(), QStringList{window::Launcher});
    }

    // The dialog puts what lumbi.prf holds now on the running clock as it opens.
    void openShowsTheStoredLookOnTheClock()
    {
        Fixture f;
        QVERIFY(f.open());
        TempProgramFolder::write(f.lumbi(), " 255 \r\n 65280 \r\n 1 \r\n 1 \r\n");
        QCOMPARE(f.pixel({300, 60}), QColor(30, 65, 83));
        QVERIFY(f.prefs());
        QCOMPARE(f.pixel({300, 60}), Green);
        QCOMPARE(f.pixel({6, 50}), Red);
        QCOMPARE(f.pixel({4, 20}), Black);
    }

    // The caption names what the next press does, from Open on.
    void bordererTwice_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<bool>>("edges");
        QTest::newRow("stored 1") << QByteArray(" 255 \r\n 0 \r\n 1 \r\n 1 \r\n")
                                  << QStringList{"No Borderer", "Borderer", "No Borderer"}
                                  << QList<bool>{true, false, true};
        QTest::newRow("stored 0") << QByteArray(" 255 \r\n 0 \r\n 0 \r\n 1 \r\n")
                                  << QStringList{"Borderer", "No Borderer", "Borderer"}
                                  << QList<bool>{false, true, false};
    }
    void bordererTwice()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QStringList, captions);
        QFETCH(QList<bool>, edges);
        Fixture f(stored);
        QVERIFY(f.open());
        LumboPrefsDialog *prefs = f.prefs();
        QVERIFY(prefs);
        QCOMPARE(prefs->windowTitle(), QStringLiteral("preff-ferendz"));
        QCOMPARE(f.player().log.last(), QStringLiteral("close"));
        for (int press = 0; press < 3; ++press) {
            if (press > 0)
                Fixture::press(prefs, "Command5");
            QCOMPARE(Fixture::caption(prefs, "Command5"), captions[press]);
            QCOMPARE(f.pixel({4, 20}), edges[press] ? Black : Red);
        }
    }

    // The chooser opens on the colour it returned last; a cancel changes nothing.
    void coloursChangeTheRunningClock()
    {
        Fixture f;
        QVERIFY(f.open());
        LumboPrefsDialog *prefs = f.prefs();
        f.platform.colourAnswers = {rgbValue(250, 250, 0), std::nullopt, rgbValue(0, 128, 0)};
        Fixture::press(prefs, "Command1");
        QCOMPARE(f.pixel({300, 60}), QColor(250, 250, 0));
        const QImage before = f.lumbo->grab().toImage();
        Fixture::press(prefs, "Command2");
        QCOMPARE(f.lumbo->grab().toImage(), before);
        Fixture::press(prefs, "Command2");
        QCOMPARE(f.pixel({6, 50}), QColor(0, 128, 0));
        QCOMPARE(f.pixel({300, 60}), QColor(250, 250, 0));
        QCOMPARE(f.platform.colourChooserStarts,
                 (QList<ColourValue>{0, rgbValue(250, 250, 0), rgbValue(250, 250, 0)}));
    }

    void zeiveWritesTheFourValuesAndCloses()
    {
        Fixture f;
        QVERIFY(f.open());
        LumboPrefsDialog *prefs = f.prefs();
        QVERIFY(qobject_cast<QCheckBox *>(prefs->control("Check1"))->isChecked());
        f.platform.colourAnswers = {rgbValue(250, 250, 0)};
        Fixture::press(prefs, "Command1");
        Fixture::press(prefs, "Command5");
        Fixture::press(prefs, "Check1");
        Fixture::press(prefs, "Command3");
        QCOMPARE(TempProgramFolder::read(f.lumbi()), QByteArray(" 6573604 \r\n 64250 \r\n 1 \r\n 0 \r\n"));
        QVERIFY(!f.program.registry().isLoaded(window::LumboPrefs));
        QVERIFY(f.platform.shownMessages.isEmpty());
    }

    void candzielWritesNothingAndTheClockKeepsItsChanges()
    {
        Fixture f;
        const QByteArray before = TempProgramFolder::read(f.lumbi());
        QVERIFY(f.open());
        LumboPrefsDialog *prefs = f.prefs();
        f.platform.colourAnswers = {rgbValue(0, 128, 0)};
        Fixture::press(prefs, "Command2");
        Fixture::press(prefs, "Command5");
        Fixture::press(prefs, "Command4");
        QVERIFY(!f.program.registry().isLoaded(window::LumboPrefs));
        QCOMPARE(TempProgramFolder::read(f.lumbi()), before);
        f.passAt("13:45:31");
        QCOMPARE(f.pixel({6, 50}), QColor(0, 128, 0));
        QCOMPARE(f.pixel({4, 20}), Black);
    }

    void aFailedSaveLeavesTheOldFileAndSaysWhy()
    {
        Fixture f;
        const QByteArray before = TempProgramFolder::read(f.lumbi());
        QVERIFY(f.open());
        LumboPrefsDialog *prefs = f.prefs();
        Fixture::press(prefs, "Command5");
        {
            const FileSizeLimit full{6};
            Fixture::press(prefs, "Command3");
        }
        QCOMPARE(TempProgramFolder::read(f.lumbi()), before);
        QCOMPARE(f.platform.shownMessages.size(), 1);
        QVERIFY2(f.platform.shownMessages.first().contains(QDir::toNativeSeparators(f.lumbi())),
                 qPrintable(f.platform.shownMessages.first()));
        QVERIFY(f.program.registry().isLoaded(window::LumboPrefs)); // the choices are still there
        Fixture::press(prefs, "Command3");
        QCOMPARE(TempProgramFolder::read(f.lumbi()), QByteArray(" 6573604 \r\n 5456158 \r\n 1 \r\n 1 \r\n"));
    }

    // Without a running clock the dialog still saves, and says once that the file was damaged.
    void withoutAClockADamagedFileIsSaidOnce()
    {
        Fixture f(" 1 \r\n");
        f.program.registry().show(window::LumboPrefs);
        auto *handle = dynamic_cast<WidgetWindow *>(f.program.registry().window(window::LumboPrefs));
        auto *prefs = qobject_cast<LumboPrefsDialog *>(handle->widget());
        QCOMPARE(f.platform.warnings.size(), 1);
        QCOMPARE(TempProgramFolder::read(f.lumbi()), QByteArray(" 1 \r\n"));
        Fixture::press(prefs, "Command3");
        QCOMPARE(TempProgramFolder::read(f.lumbi()), QByteArray(" 6573604 \r\n 5456158 \r\n 0 \r\n 1 \r\n"));
    }
};

QTEST_MAIN(TestLumboWindow)
#include "tst_lumbowindow.moc"
