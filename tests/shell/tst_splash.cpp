#include "base/WindowNames.h"
#include "shell/SplashModel.h"
#include "shell/Startup.h"
#include "support/FakePlatform.h"
#include "support/FakeWindows.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace vrim;
using vrim::test::FakePlatform;
using vrim::test::WindowLog;

class TestSplash : public QObject {
    Q_OBJECT

    struct Fixture {
        FakePlatform platform;
        WindowLog log; // outlives the registry, whose windows write to it
        WindowRegistry registry;
        QSignalSpy ends{&registry, &WindowRegistry::lastWindowGone};
        std::unique_ptr<SplashModel> splash;

        Fixture()
        {
            for (const QString &name : {window::Splash, window::HelpMenu, window::Launcher})
                log.define(registry, name);
            registry.show(window::Splash);
            splash = std::make_unique<SplashModel>(registry, platform, QStringLiteral("https://home.test/"));
            splash->load();
        }
        test::FakeTimer &timer() { return *platform.timers.front(); }
        void ticks(int count)
        {
            for (int i = 0; i < count; ++i)
                timer().elapse();
        }
    };

private Q_SLOTS:
    // The home-page link, followed on the way, neither stops nor resets the countdown.
    void countsDownInStepsOfTwelveHundredMilliseconds()
    {
        Fixture f;
        f.platform.pagesOpen = false; // no browser: nothing to report
        QCOMPARE(f.timer().interval(), 1200);
        QVERIFY(f.timer().isActive());
        QCOMPARE(f.splash->noticeText(), QStringLiteral("This screen will go away in 10 seconds"));
        QCOMPARE(f.splash->countdownText(), QString()); // nothing until the first tick
        QStringList shown;
        for (int i = 0; i < 9; ++i) {
            if (i == 3)
                f.splash->openHomePage();
            f.ticks(1);
            shown.append(f.splash->countdownText());
        }
        QCOMPARE(shown, (QStringList{"9", "8", "7", "6", "5", "4", "3", "2", "1"}));
        QCOMPARE(f.platform.openedPages, QStringList{"https://home.test/"});
        QVERIFY(f.platform.shownMessages.isEmpty());
    }

    void tenthTickAdvisesOnceThenHandsOver()
    {
        Fixture f;
        QString countdownWhileAdvising;
        bool timerWhileAdvising = true;
        f.platform.whileMessageShown = [&] {
            countdownWhileAdvising = f.splash->countdownText();
            timerWhileAdvising = f.timer().isActive();
            f.ticks(5); // however long the box stays open, no further step runs
        };
        f.ticks(10);
        QCOMPARE(f.platform.shownMessages,
                 QStringList{"It is highly recomended to read the Help before going any further"});
        QCOMPARE(countdownWhileAdvising, QStringLiteral("0"));
        QVERIFY(!timerWhileAdvising);

        // Help menu first, launcher last so it is in front, and the splash gone.
        const QStringList expected = {"show HlpMnu", "show menu", "unload splash1"};
        QStringList relevant;
        for (const QString &event : f.log.events)
            if (expected.contains(event))
                relevant.append(event);
        QCOMPARE(relevant, expected);
        QCOMPARE(f.registry.loaded(), (QStringList{window::HelpMenu, window::Launcher}));
        f.ticks(3);
        QCOMPARE(f.platform.shownMessages.size(), 1);
        QCOMPARE(f.ends.count(), 0);
    }

    // A first start writes the defaults and shows the splash; a later one clears what killed
    // saves left behind and leaves what the user changed alone.
    void startUpSetsUpSettingsAndClearsWhatKilledSavesLeft()
    {
        QTemporaryDir dir;
        FakePlatform platform;
        WindowLog log;
        WindowRegistry registry;
        log.define(registry, window::Splash);
        const DataFolders folders(dir.path());
        const auto put = [&dir](const QString &name, const QByteArray &bytes) {
            QFile file(dir.path() + u'/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };

        // A first start killed while it wrote the defaults, in its own folder beside the program.
        QVERIFY(QDir(dir.path()).mkdir("Settings.new-Ab12Cd"));
        put("Settings.new-Ab12Cd/Quenzpref.prf", "/half");
        QVERIFY(isFirstStart(folders));
        QVERIFY(startUp(folders, registry, platform));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"Settings"});
        QCOMPARE(QDir(dir.path() + "/Settings").entryList(QDir::Files).size(), 13);
        QCOMPARE(registry.loaded(), QStringList{window::Splash});
        registry.unload(window::Splash);

        // A save killed before its rename: the temporary file beside the settings file goes, the
        // settings file and anything else the user keeps there stay.
        put("Settings/Dovpref.prf", "/mine.wav\r\n1 hour\r\n");
        put("Settings/Dovpref.prf.xYkQzw", "/half");
        put("Settings/notes.txt", "mine");
        put("Settings/Dovpref.prf.old", "mine too");
        QVERIFY(!isFirstStart(folders));
        QVERIFY(startUp(folders, registry, platform));
        QStringList left = QDir(dir.path() + "/Settings").entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left.size(), 15);
        QVERIFY(!left.contains("Dovpref.prf.xYkQzw"));
        QVERIFY(left.contains("notes.txt") && left.contains("Dovpref.prf.old"));
        QFile kept(dir.path() + "/Settings/Dovpref.prf");
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("/mine.wav\r\n1 hour\r\n"));
        QVERIFY(platform.shownMessages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSplash)
#include "tst_splash.moc"
