#include "BuildConfig.h"
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
    void countsDownInStepsOfTwelveHundredMilliseconds()
    {
        Fixture f;
        QCOMPARE(f.timer().interval(), 1200);
        QVERIFY(f.timer().isActive());
        QCOMPARE(f.splash->noticeText(), QStringLiteral("This screen will go away in 10 seconds"));
        QCOMPARE(f.splash->countdownText(), QString()); // nothing until the first tick
        QStringList shown;
        for (int i = 0; i < 9; ++i) {
            f.ticks(1);
            shown.append(f.splash->countdownText());
        }
        QCOMPARE(shown, (QStringList{"9", "8", "7", "6", "5", "4", "3", "2", "1"}));
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

    void quitDuringTheCountdownEndsTheProgram()
    {
        Fixture f;
        f.ticks(4);
        f.splash->quit();
        QCOMPARE(f.ends.count(), 1);
        QVERIFY(f.registry.loaded().isEmpty());
        QVERIFY(!f.timer().isActive());
        QVERIFY(!f.log.events.contains("load menu"));
        QVERIFY(!f.log.events.contains("load HlpMnu"));
        QVERIFY(f.platform.shownMessages.isEmpty());
    }

    void theLinkNeitherStopsNorResetsTheCountdown()
    {
        Fixture f;
        f.platform.pagesOpen = false; // no browser: nothing to report
        f.ticks(3);
        f.splash->openHomePage();
        QCOMPARE(f.platform.openedPages, QStringList{"https://home.test/"});
        QVERIFY(f.platform.shownMessages.isEmpty());
        f.ticks(1);
        QCOMPARE(f.splash->countdownText(), QStringLiteral("6"));
    }

    void firstStartSetsUpSettingsThenShowsTheSplash()
    {
        QTemporaryDir dir;
        FakePlatform platform;
        WindowLog log;
        WindowRegistry registry;
        log.define(registry, window::Splash);
        const DataFolders folders(dir.path());
        QVERIFY(isFirstStart(folders));
        QVERIFY(startUp(folders, registry, platform));
        QCOMPARE(QDir(dir.path() + "/Settings").entryList(QDir::Files).size(), 13);
        QCOMPARE(registry.loaded(), QStringList{window::Splash});

        // A later start leaves what the user changed alone.
        QFile changed(dir.path() + "/Settings/Dovspref.prf");
        QVERIFY(changed.open(QIODevice::WriteOnly));
        changed.write("/mine.wav\r\n1 hour\r\n");
        changed.close();
        registry.unload(window::Splash);
        QVERIFY(!isFirstStart(folders));
        QVERIFY(startUp(folders, registry, platform));
        QVERIFY(changed.open(QIODevice::ReadOnly));
        QCOMPARE(changed.readAll(), QByteArray("/mine.wav\r\n1 hour\r\n"));
        QVERIFY(platform.shownMessages.isEmpty());
    }

    void startUpClearsWhatKilledSavesLeftBehind()
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
        QVERIFY(startUp(folders, registry, platform));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"Settings"});
        QCOMPARE(QDir(dir.path() + "/Settings").entryList(QDir::Files).size(), 13);
        registry.unload(window::Splash);

        // A save killed before its rename: the temporary file beside the settings file goes, the
        // settings file and anything else the user keeps there stay.
        put("Settings/Dovpref.prf.xYkQzw", "/half");
        put("Settings/notes.txt", "mine");
        put("Settings/Dovpref.prf.old", "mine too");
        const QByteArray dov = [&dir] {
            QFile file(dir.path() + "/Settings/Dovpref.prf");
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        QVERIFY(startUp(folders, registry, platform));
        QStringList left = QDir(dir.path() + "/Settings").entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left.size(), 15);
        QVERIFY(!left.contains("Dovpref.prf.xYkQzw"));
        QVERIFY(left.contains("notes.txt") && left.contains("Dovpref.prf.old"));
        QFile kept(dir.path() + "/Settings/Dovpref.prf");
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), dov);
    }

    void failedFirstStartReportsAndShowsNoSplash()
    {
        QTemporaryDir dir;
        // A file where the settings folder should go: the folder cannot be made.
        QFile blocker(dir.path() + "/Settings");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        FakePlatform platform;
        WindowLog log;
        WindowRegistry registry;
        log.define(registry, window::Splash);
        QVERIFY(!startUp(DataFolders(dir.path()), registry, platform));
        QCOMPARE(platform.shownMessages.size(), 1);
        QVERIFY2(platform.shownMessages.front().contains("Settings"),
                 qPrintable(platform.shownMessages.front()));
        QVERIFY(registry.loaded().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSplash)
#include "tst_splash.moc"
