#include "help/HelpMenuWindow.h"
#include "help/HelpPage.h"
#include "help/HelpPageWindow.h"
#include "stopwatch/StopwatchWindow.h"
#include "support/ProgramRig.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <sys/stat.h>

using namespace vrim;
using namespace vrim::test;

// The help browser in the whole program, offscreen, with small pages and pictures of the test's
// own in its Helps folder.
class TestHelpBrowser : public QObject {
    Q_OBJECT

    struct Rig : ProgramRig {
        Rig()
            : ProgramRig(QStringLiteral("10:00:00"))
        {
            for (const help::HelpKey &key : help::keys())
                // A page whose text names its file, so the test sees which one is loaded.
                TempProgramFolder::write(folder.file(u"Helps/" + key.pageFile),
                                         "{\\rtf1\\ansi pageof" + key.pageFile.toLatin1() + "\\par}");
        }
        QWidget *widget(const QString &name) { return widgetOf(program.registry(), name); }
        HelpPageWindow *page() { return qobject_cast<HelpPageWindow *>(widget(window::HelpPage)); }
        QString text() { return page()->textBox()->toPlainText(); }
        QPushButton *sample() { return page()->sampleButton(); }
        void clickSample() { QTest::mouseClick(sample(), Qt::LeftButton); }
        bool shown(const QString &name) { return widget(name) && widget(name)->isVisible(); }
        void helpFromClock(Design design)
        {
            ClockWindow *clock = openClock(design);
            QVERIFY(clock);
            clock->clock().frame().chooseMenuItem(frame::of(design).helpItem);
        }
        void helpFromMenuRow(int row)
        {
            QWidget *menu = show(window::HelpMenu);
            QVERIFY(menu);
            QTest::mouseClick(menu->findChild<QPushButton *>(QStringLiteral("Button%1").arg(row)),
                              Qt::LeftButton);
            settle();
            QVERIFY(!program.registry().isLoaded(window::HelpMenu)); // every row closes the menu
        }
    };

private Q_SLOTS:
    // Every Help item, every row of the help menu, the stopwatch's and Ostran Time's Help open
    // the page of their own name (a key that is no page would show the bare key); the About row
    // opens the about box.
    void everyHelpItemOpensItsOwnPage()
    {
        Rig rig;
        const auto opened = [&rig](const QString &from) {
            const QString shown = rig.page() && rig.page()->isVisible() ? rig.text() : QString();
            QVERIFY2(shown.startsWith(u"pageof") && shown.contains(from.left(3), Qt::CaseInsensitive),
                     qPrintable(from + u": " + shown));
            rig.program.registry().unload(window::HelpPage);
        };
        for (Design design : AllDesigns)
            if (!frame::of(design).helpItem.isEmpty()) {
                rig.helpFromClock(design);
                opened(designName(design));
            }
        for (int row = 2; row <= int(HelpMenuWindow::rows().size()); ++row) {
            rig.helpFromMenuRow(row);
            opened(HelpMenuWindow::rows()[row - 1].label);
        }
        rig.show<StopwatchWindow>(window::Stopwatch)->chooseMenuItem(QStringLiteral("Helpmnu"));
        opened(QStringLiteral("ganto"));
        qputenv("VRIM_DAYTIME_SERVER", "127.0.0.1:1");
        QTest::mouseClick(
            rig.show(window::InternetTime)->findChild<QPushButton *>(QStringLiteral("Command4")),
            Qt::LeftButton);
        qunsetenv("VRIM_DAYTIME_SERVER");
        opened(QStringLiteral("Ostrana"));
        rig.helpFromMenuRow(1);
        QVERIFY(rig.program.registry().isLoaded(window::About));
        QVERIFY(!rig.program.registry().isLoaded(window::HelpPage));
    }

    // Over the page, then gone: read from the window's pixels. A large picture is fitted inside
    // the window, its proportions kept; a picture of another format under the expected name is
    // still read. Rows: the page, the picture's file, size and colour, where it shows.
    void samplePictureOverThePage()
    {
        const std::tuple<QString, QString, QSize, QColor, QRect> rows[] = {
            {"Vrimcolor", "vrimsample.jpg", QSize(60, 40), Qt::red, QRect(18, 302, 60, 40)}, // lower left
            {"Jolvex", "jolvexsample.gif", QSize(600, 500), Qt::blue, QRect()}}; // a large PNG, fitted
        for (const auto &[key, file, size, colour, expected] : rows) {
            Rig rig;
            QImage image(size, QImage::Format_RGB32);
            image.fill(colour);
            QVERIFY(image.save(rig.folder.file(u"Helps/" + file), file.endsWith(u".jpg") ? "JPG" : "PNG"));
            showHelpPage(rig.program.registry(), key);
            rig.clickSample();
            QCOMPARE(rig.sample()->text(), QStringLiteral("Hide Sample"));
            const QRect box = rig.page()->picture()->geometry();
            if (expected.isValid())
                QCOMPARE(box, expected);
            QVERIFY(rig.page()->rect().contains(box));
            QVERIFY(std::abs(box.width() * size.height() - box.height() * size.width()) <= size.width());
            const auto distance = [&rig, c = colour, box] {
                const QRgb pixel = rig.page()->grab().toImage().pixel(box.center());
                return std::abs(qRed(pixel) - c.red()) + std::abs(qGreen(pixel) - c.green()) +
                       std::abs(qBlue(pixel) - c.blue());
            };
            QVERIFY(distance() < 120);
            rig.clickSample();
            QCOMPARE(rig.sample()->text(), QStringLiteral("Show Sample"));
            QVERIFY(distance() >= 120);
        }
    }

    // The caption belongs to the window, not to the page: Norvi's branch meets Quenz's "Hide".
    // Mip's sample is two windows, shown and hidden together; hidden, not closed: their close box
    // is what unloads them.
    void sampleWindows()
    {
        Rig rig;
        const auto state = [&rig](const QString &sample) -> QString { // the caption; whether it is shown
            return rig.sample()->text() + (rig.shown(sample) ? QStringLiteral(" shown") : QString());
        };
        rig.helpFromMenuRow(3);
        rig.clickSample();
        rig.helpFromClock(Design::Norvi);
        QVERIFY(rig.text().contains(u"pageofnorviHlp.rtf"));
        QCOMPARE(state(window::QuenzSample), QStringLiteral("Hide Sample shown"));
        rig.clickSample(); // hides the Norvi sample, which is not shown
        QCOMPARE(state(window::QuenzSample), QStringLiteral("Show Sample shown"));
        QCOMPARE(state(window::NorviSample), QStringLiteral("Show Sample"));
        rig.clickSample();
        QCOMPARE(state(window::NorviSample), QStringLiteral("Hide Sample shown"));
        QCOMPARE(rig.widget(window::NorviSample)->windowTitle(), QStringLiteral("norvi Sample"));
        rig.helpFromClock(Design::Mip);
        rig.clickSample(); // "Hide Sample" from Norvi
        rig.clickSample();
        QVERIFY(rig.shown(window::MipSample) && rig.shown(window::MipSamples));
        rig.clickSample();
        QVERIFY(!rig.shown(window::MipSample) && !rig.shown(window::MipSamples));
        QVERIFY(rig.program.registry().isLoaded(window::MipSample));
        QVERIFY(rig.program.registry().isLoaded(window::MipSamples));
        rig.clickSample();
        rig.widget(window::MipSample)->close();
        QVERIFY(!rig.program.registry().isLoaded(window::MipSample));
    }

    // Escape from the control that has the focus closes a help window or Ostran Time as its close
    // box does, once: the launcher comes back, but not for the help menu; the page's sample stays.
    // (Exit and Back are the end-to-end scripts', where the window manager stacks what they show.)
    void escapeCloses()
    {
        const QStringList launcher{"load menu", "show menu"};
        const std::pair<QString, QStringList> rows[] = {
            {window::HelpPage, launcher}, {window::HelpMenu, {}}, {window::InternetTime, launcher}};
        for (const auto &[name, events] : rows) {
            Rig rig;
            const bool page = name == window::HelpPage;
            if (page) {
                rig.helpFromClock(Design::Quenz);
                rig.program.registry().unload(window::Quenz); // its own closing shows the launcher
                rig.clickSample();
            }
            QWidget *window = page ? rig.widget(name) : rig.show(name);
            QVERIFY(window);
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QWidget *focused = QApplication::focusWidget(); // a control of it: the text box, a button
            rig.others.events.clear();
            QTest::keyClick(focused ? focused : window, Qt::Key_Escape);
            Rig::settle();
            QVERIFY(!rig.program.registry().isLoaded(name));
            QCOMPARE(rig.others.events, events);
            QCOMPARE(rig.shown(window::QuenzSample), page);
        }
    }

    // The program ends with the last window on the screen: the help menu's Exit ends it when
    // nothing else is open, and sample windows that "Hide Sample" put away keep nothing running.
    void theProgramEndsWithTheLastWindowOnTheScreen()
    {
        // Clicks on the Mip page's Sample button (-1: no page opened), and whether the program has
        // ended once the help menu, then the page and the launcher, are closed.
        for (const auto &[sampleClicks, ended] :
             {std::pair(-1, true), std::pair(2, true), std::pair(1, false)}) {
            const QStringList closed =
                sampleClicks < 0 ? QStringList{window::HelpMenu}
                                 : QStringList{window::HelpMenu, window::HelpPage, window::Launcher};
            TempProgramFolder folder;
            FakePlatform platform;
            bool hasEnded = false;
            Program program{platform, DataFolders(folder.path()), [&hasEnded] { hasEnded = true; }};
            const auto widget = [&program](const QString &name) {
                return widgetOf(program.registry(), name);
            };
            program.registry().show(window::HelpMenu);
            if (sampleClicks >= 0)
                showHelpPage(program.registry(), QStringLiteral("Mip"));
            for (int i = 0; i < sampleClicks; ++i)
                QTest::mouseClick(qobject_cast<HelpPageWindow *>(widget(window::HelpPage))->sampleButton(),
                                  Qt::LeftButton);
            if (sampleClicks > 0) // the two windows are loaded, shown or put away
                QVERIFY(widget(window::MipSample) && widget(window::MipSamples));
            for (const QString &name : closed) {
                QVERIFY2(widget(name), qPrintable(name));
                if (name == window::HelpMenu) // its Exit
                    QTest::mouseClick(widget(name)->findChild<QPushButton *>(QStringLiteral("Command1")),
                                      Qt::LeftButton);
                else
                    widget(name)->close();
                QCoreApplication::processEvents();
                Rig::settle();
            }
            QCOMPARE(hasEnded, ended);
        }
    }

    // The window stays open and names the file it could not read, or the key that is no page.
    void missingFilesAreNamedInTheWindow()
    {
        // Missing, a pipe (which must not hold the window), a link to /dev/zero.
        for (const QString &kind : {u"missing"_qs, u"pipe"_qs, u"zero"_qs}) {
            Rig rig;
            for (const char *name : {"Helps/dovHlp.rtf", "Helps/vrimsample.jpg", "Helps/Quenzsample.jpg"}) {
                const QString path = rig.folder.file(QString::fromLatin1(name));
                QFile::remove(path);
                if (kind == "pipe")
                    QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
                else if (kind == "zero")
                    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
            }
            // Its text as large as an ordinary page's (the first line as high), in a new window and
            // after a page that begins with a large heading.
            const auto lineHeight = [&rig] {
                QTextDocument *document = rig.page()->textBox()->document();
                document->documentLayout(); // laid out now, as when it is shown
                const QTextLayout *layout = document->firstBlock().layout();
                return layout && layout->lineCount() > 0 ? layout->lineAt(0).height() : 0.0;
            };
            rig.helpFromClock(Design::Dov);
            QVERIFY(rig.page()->isVisible());
            QVERIFY2(rig.text().contains(u"dovHlp.rtf"), qPrintable(rig.text()));
            const qreal inNewWindow = lineHeight();
            showHelpPage(rig.program.registry(), QStringLiteral("Ostrana"));
            const qreal ordinary = lineHeight();
            TempProgramFolder::write(rig.folder.file(QStringLiteral("Helps/PerrinHlp.rtf")),
                                     "{\\rtf1\\ansi {\\b\\fs36 Perrin\\par}Perrin shows the time.\\par}");
            showHelpPage(rig.program.registry(), QStringLiteral("Perrin"));
            QVERIFY(lineHeight() > ordinary);
            showHelpPage(rig.program.registry(), QStringLiteral("dov"));
            QVERIFY2(rig.text().contains(u"dovHlp.rtf"), qPrintable(rig.text()));
            QCOMPARE(inNewWindow, ordinary);
            QCOMPARE(lineHeight(), ordinary);
            showHelpPage(rig.program.registry(), QStringLiteral("Quenz")); // no page: its key is "quenz"
            QCOMPARE(rig.text(), QStringLiteral("Quenz"));
            QCOMPARE(lineHeight(), ordinary);
            QVERIFY(!rig.sample()->isEnabled());
            QCOMPARE(rig.page()->page().sampleKey(), QStringLiteral("dov"));
            rig.clickSample(); // still Dov's button, still disabled
            QVERIFY(!rig.page()->picture()->isVisible());

            showHelpPage(rig.program.registry(), QStringLiteral("Vrimcolor")); // no vrimsample.jpg
            rig.clickSample();
            QVERIFY(rig.page()->picture()->isVisible());
            const auto plain = [](QString text) { return text.remove(QChar(0x200B)); };
            QVERIFY(plain(rig.page()->picture()->text()).contains(u"Helps/vrimsample.jpg"));

            showHelpPage(rig.program.registry(), QStringLiteral("quenz"));
            rig.clickSample(); // "Hide Sample" from Vrimcolor: hides the not-shown window
            rig.clickSample();
            QVERIFY(rig.shown(window::QuenzSample));
            QVERIFY(plain(rig.widget(window::QuenzSample)->findChild<QLabel *>()->text())
                        .contains(u"Quenzsample.jpg"));
        }
    }
};

QTEST_MAIN(TestHelpBrowser)
#include "tst_helpbrowser.moc"
