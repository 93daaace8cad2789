#include "help/HelpPage.h"
#include "help/HelpPageWindow.h"
#include "stopwatch/StopwatchWindow.h"
#include "support/ProgramRig.h"
#include "ui/WidgetWindow.h"

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

namespace {

QWidget *widgetOf(WindowRegistry &registry, const QString &name)
{
    auto *handle = dynamic_cast<WidgetWindow *>(registry.window(name));
    return handle ? handle->widget() : nullptr;
}

} // namespace

// The help browser in the whole program, offscreen, with small pages and pictures of the test's
// own in its Helps folder.
class TestHelpBrowser : public QObject {
    Q_OBJECT

    struct Rig : ProgramRig {
        Rig()
            : ProgramRig(QStringLiteral("10:00:00"))
        {
            QDir(folder.path()).mkpath(QStringLiteral("Helps"));
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
            program.registry().show(window::HelpMenu);
            QWidget *menu = widget(window::HelpMenu);
            QVERIFY(menu);
            QTest::mouseClick(menu->findChild<QPushButton *>(QStringLiteral("Button%1").arg(row)),
                              Qt::LeftButton);
            settle();
            QVERIFY(!program.registry().isLoaded(window::HelpMenu)); // every row closes the menu
        }
        QRgb pixelAt(QPoint at) { return page()->grab().toImage().pixel(at); }
    };

private Q_SLOTS:
    // Every caller hands its key; the key picks the page and the sample button's state.
    void everyHelpItemOpensItsPage_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("pageFile");
        QTest::addColumn<bool>("sampleEnabled");
        // clang-format off
        QTest::newRow("Dov clock: no sample") << "dov" << "dovHlp.rtf" << false;
        QTest::newRow("Quenz clock") << "Quenz" << "QuenzHlp.rtf" << true;
        QTest::newRow("help menu's Quenz row: the same page") << "row3" << "QuenzHlp.rtf" << true;
        QTest::newRow("Jolvex clock") << "Jolvex" << "JolvexHlp.rtf" << true;
        QTest::newRow("Vrimcolor clock") << "vrimcolor" << "VrimHlp.rtf" << true;
        QTest::newRow("Norvi clock") << "norvi" << "norviHlp.rtf" << true;
        QTest::newRow("Mip clock") << "Mip" << "MipHlp.rtf" << true;
        QTest::newRow("help menu's Perrin row") << "row11" << "PerrinHlp.rtf" << false;
        QTest::newRow("help menu's lumbo row") << "row4" << "lumboHlp.rtf" << true;
        QTest::newRow("help menu's About row: the about box, no page") << "row1" << "" << false;
        QTest::newRow("stopwatch") << "Gantos" << "gantoHlp.rtf" << false;
        QTest::newRow("internet-time window") << "frmClient" << "OstranaHlp.rtf" << false;
        // clang-format on
    }
    void everyHelpItemOpensItsPage()
    {
        QFETCH(QString, from);
        QFETCH(QString, pageFile);
        QFETCH(bool, sampleEnabled);
        Rig rig;
        if (from.startsWith(u"row")) {
            rig.helpFromMenuRow(from.mid(3).toInt());
        } else if (from == window::Stopwatch) {
            rig.program.registry().show(from);
            qobject_cast<StopwatchWindow *>(rig.widget(from))->chooseMenuItem(QStringLiteral("Helpmnu"));
        } else if (from == window::InternetTime) {
            qputenv("VRIM_DAYTIME_SERVER", "127.0.0.1:1");
            rig.program.registry().show(from);
            QTest::mouseClick(rig.widget(from)->findChild<QPushButton *>(QStringLiteral("Command4")),
                              Qt::LeftButton);
            qunsetenv("VRIM_DAYTIME_SERVER");
        } else {
            for (Design design :
                 {Design::Dov, Design::Quenz, Design::Jolvex, Design::Vrimcolor, Design::Norvi, Design::Mip})
                if (windowOf(design) == from)
                    rig.helpFromClock(design);
        }
        if (pageFile.isEmpty()) {
            QVERIFY(rig.program.registry().isLoaded(window::About));
            QVERIFY(!rig.program.registry().isLoaded(window::HelpPage));
            return;
        }
        QVERIFY(rig.page() && rig.page()->isVisible());
        QCOMPARE(rig.page()->windowTitle(), QStringLiteral("Vrim Clocks Help"));
        QVERIFY2(rig.text().contains("pageof" + pageFile), qPrintable(rig.text()));
        QCOMPARE(rig.sample()->isEnabled(), sampleEnabled);
        QCOMPARE(rig.sample()->text(), QStringLiteral("Show Sample"));
    }

    // Over the page, then gone: read from the window's pixels. A large picture is fitted inside
    // the window, its proportions kept; a picture of another format under the expected name is
    // still read by its content.
    void samplePictureOverThePage_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QRect>("expected"); // none: anywhere inside the window
        QTest::newRow("Vrimcolor: lower left")
            << "Vrimcolor"
            << "vrimsample.jpg" << QSize(60, 40) << QColor(Qt::red) << QRect(18, 302, 60, 40);
        QTest::newRow("Jolvex: a large PNG named .gif, fitted")
            << "Jolvex"
            << "jolvexsample.gif" << QSize(600, 500) << QColor(Qt::blue) << QRect();
    }
    void samplePictureOverThePage()
    {
        QFETCH(QString, key);
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(QColor, colour);
        QFETCH(QRect, expected);
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
        const auto isColour = [&](QRgb pixel) {
            return std::abs(qRed(pixel) - colour.red()) + std::abs(qGreen(pixel) - colour.green()) +
                       std::abs(qBlue(pixel) - colour.blue()) <
                   120;
        };
        QVERIFY(isColour(rig.pixelAt(box.center())));
        rig.clickSample();
        QCOMPARE(rig.sample()->text(), QStringLiteral("Show Sample"));
        QVERIFY(!isColour(rig.pixelAt(box.center())));
    }

    // The caption belongs to the window, not to the page: Norvi's branch meets Quenz's "Hide".
    void sampleWindows()
    {
        Rig rig;
        rig.helpFromMenuRow(3);
        rig.clickSample();
        QVERIFY(rig.shown(window::QuenzSample));
        rig.helpFromClock(Design::Norvi);
        QVERIFY(rig.text().contains(u"pageofnorviHlp.rtf"));
        QCOMPARE(rig.sample()->text(), QStringLiteral("Hide Sample"));
        QVERIFY(rig.shown(window::QuenzSample));
        rig.clickSample(); // hides the Norvi sample, which is not shown
        QCOMPARE(rig.sample()->text(), QStringLiteral("Show Sample"));
        QVERIFY(!rig.shown(window::NorviSample));
        QVERIFY(rig.shown(window::QuenzSample));
        rig.clickSample();
        QCOMPARE(rig.sample()->text(), QStringLiteral("Hide Sample"));
        QVERIFY(rig.shown(window::NorviSample));
        QCOMPARE(rig.widget(window::NorviSample)->windowTitle(), QStringLiteral("norvi Sample"));
        // Mip's sample is two windows, shown and hidden together.
        rig.helpFromClock(Design::Mip);
        rig.clickSample(); // "Hide Sample" from Norvi
        rig.clickSample();
        QVERIFY(rig.shown(window::MipSample));
        QVERIFY(rig.shown(window::MipSamples));
        rig.clickSample();
        QVERIFY(!rig.shown(window::MipSample));
        QVERIFY(!rig.shown(window::MipSamples));
        // Hidden, not closed; their close box is what unloads them.
        QVERIFY(rig.program.registry().isLoaded(window::MipSample));
        QVERIFY(rig.program.registry().isLoaded(window::MipSamples));
        rig.clickSample();
        rig.widget(window::MipSample)->close();
        QVERIFY(!rig.program.registry().isLoaded(window::MipSample));
    }

    // Closing a help window or Ostran Time by its close box, its Exit or Escape from the control
    // that has the focus: exactly what closing it does happens, once. The launcher comes after
    // the help menu on Exit, so that a window manager, which puts a newly shown window on top,
    // leaves it in front; the page window's closing shows it once more.
    void closing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("events");
        const QStringList launcher{"load menu", "show menu"};
        // clang-format off
        QTest::newRow("page's close box: the launcher") << QString(window::HelpPage) << "close" << launcher;
        QTest::newRow("page's Exit: the help menu, then the launcher") << QString(window::HelpPage) << "exit"
            << QStringList{"load HlpMnu", "show HlpMnu", "load menu", "show menu", "show menu"};
        QTest::newRow("Escape on the page") << QString(window::HelpPage) << "escape" << launcher;
        QTest::newRow("Escape on the help menu: it goes alone") << QString(window::HelpMenu) << "escape" << QStringList{};
        QTest::newRow("Escape on Ostran Time") << QString(window::InternetTime) << "escape" << launcher;
        QTest::newRow("help menu's Back button: the launcher") << QString(window::HelpMenu) << "back" << launcher;
        // clang-format on
    }
    void closing()
    {
        QFETCH(QString, name);
        QFETCH(QString, how);
        QFETCH(QStringList, events);
        Rig rig;
        const bool page = name == window::HelpPage;
        if (page) {
            rig.others.define(rig.program.registry(), window::HelpMenu);
            rig.helpFromClock(Design::Quenz);
            rig.program.registry().unload(window::Quenz); // its own closing shows the launcher
            rig.clickSample();
        } else {
            rig.program.registry().show(name);
        }
        QWidget *window = rig.widget(name);
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QWidget *focused = QApplication::focusWidget(); // a control of it: the text box, a button
        rig.others.events.clear();
        if (how == u"close")
            window->close();
        else if (how == u"escape")
            QTest::keyClick(focused ? focused : window, Qt::Key_Escape);
        else if (page)
            QTest::mouseClick(rig.page()->exitButton(), Qt::LeftButton);
        else
            QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command2")), Qt::LeftButton);
        Rig::settle();
        QVERIFY(!rig.program.registry().isLoaded(name));
        QCOMPARE(rig.others.events, events);
        if (page)
            QVERIFY(rig.shown(window::QuenzSample)); // not closed with the page window
    }

    // The program ends with the last window on the screen: the help menu's Exit ends it when
    // nothing else is open, and sample windows that "Hide Sample" put away keep nothing running.
    void theProgramEndsWithTheLastWindowOnTheScreen_data()
    {
        QTest::addColumn<int>("sampleClicks"); // on the Mip page; -1: no page opened
        QTest::addColumn<QStringList>("closed");
        QTest::addColumn<bool>("ended");
        QTest::newRow("only the help menu") << -1 << QStringList{window::HelpMenu} << true;
        QTest::newRow("with the page window") << 0 << QStringList{window::HelpMenu} << false;
        QTest::newRow("the Mip samples hidden, the rest closed")
            << 2 << QStringList{window::HelpMenu, window::HelpPage, window::Launcher} << true;
        QTest::newRow("the Mip samples shown, the rest closed")
            << 1 << QStringList{window::HelpMenu, window::HelpPage, window::Launcher} << false;
    }
    void theProgramEndsWithTheLastWindowOnTheScreen()
    {
        QFETCH(int, sampleClicks);
        QFETCH(QStringList, closed);
        QFETCH(bool, ended);
        TempProgramFolder folder;
        FakePlatform platform;
        bool hasEnded = false;
        Program program{platform, DataFolders(folder.path()), [&hasEnded] { hasEnded = true; }};
        const auto widget = [&program](const QString &name) { return widgetOf(program.registry(), name); };
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

    // The window stays open and names the file it could not read, or the key that is no page.
    void missingFilesAreNamedInTheWindow_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("a pipe") << "pipe"; // must not hold the window
        QTest::newRow("a link to /dev/zero") << "zero";
    }
    void missingFilesAreNamedInTheWindow()
    {
        QFETCH(QString, kind);
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
};

QTEST_MAIN(TestHelpBrowser)
#include "tst_helpbrowser.moc"
