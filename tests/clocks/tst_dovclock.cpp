#include "clocks/dov/DovClock.h"
#include "settings/SettingsStore.h"
#include "shell/WindowNames.h"
#include "support/FakeTime.h"
#include "support/FakeWindowOps.h"
#include "support/FakeWindows.h"
#include "support/RecordingPlayer.h"
#include "support/TempProgramFolder.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

class TestDovClock : public QObject {
    Q_OBJECT

    struct Fixture {
        TempProgramFolder folder;
        SettingsStore store{DataFolders(folder.path())};
        FakeTime time;
        RecordingPlayer player;
        FakeWindowOps ops;
        WindowLog log;
        WindowRegistry registry;
        DovClock clock{DataFolders(folder.path()), time, player, ops, registry, rgbValue(240, 240, 240)};
        QStringList problems;
        int skinLoads = 0;

        Fixture()
        {
            QVERIFY(store.writeDefaults().ok());
            clock.onProblem([this](const QString &problem) { problems.append(problem); });
            clock.onSkinChanged([this] { ++skinLoads; });
            time.now = QStringLiteral("09:04:58");
        }
        int prepares() const { return player.log.filter(QRegularExpression("^prepare ")).size(); }
    };

private Q_SLOTS:
    void loadReadsSettingsPreparesAndOpens()
    {
        Fixture f;
        f.clock.load();
        QCOMPARE(f.clock.chime(), QStringLiteral("5 min"));
        QCOMPARE(f.clock.skinPicture(), f.folder.file("Skins/Vrim/blui-3d.jpg"));
        QCOMPARE(f.player.log, (QStringList{"prepare " + f.folder.file("Sounds/bzz.wav"), "Open"}));
        QVERIFY(f.clock.frame().soundMenu().soundOn);
        QCOMPARE(f.ops.log, QStringList{"on top"});
        QCOMPARE(f.clock.moveColour(), frame::LightGreen);
        QCOMPARE(f.clock.face().bar(8), DovFace::Lit); // 9 o'clock, at once
        QCOMPARE(f.skinLoads, 1);
        QVERIFY(f.problems.isEmpty());
    }

    void chimesThroughTheDueMinuteOnce()
    {
        Fixture f;
        f.clock.load();
        f.player.log.clear();
        for (const char *time : {"09:04:59", "09:05:00", "09:05:01", "09:05:30"}) {
            f.time.now = QString::fromLatin1(time);
            f.clock.tick();
        }
        QCOMPARE(f.player.log, (QStringList{"Open", "Play"}));
    }

    void severalRaisesGiveOneReload()
    {
        Fixture f;
        f.clock.load();
        f.clock.refresh().raise(); // Save, then each closing event of the dialog
        f.clock.refresh().raise();
        f.clock.tick();
        f.clock.tick();
        QCOMPARE(f.prepares(), 2); // load, one reload
        QCOMPARE(f.skinLoads, 2);
        QCOMPARE(f.clock.refresh().carrier(), QString());
    }

    void reloadTakesNewValues()
    {
        Fixture f;
        f.clock.load();
        QVERIFY(f.store.writeSound(Design::Dov, {QStringLiteral("/x/new.wav"), QStringLiteral("No chime")}).ok());
        QVERIFY(f.store.writeSkin(Design::Dov, {QStringLiteral("/x/new.jpg"), {}}).ok());
        f.clock.refresh().raise();
        f.clock.tick();
        QCOMPARE(f.clock.skinPicture(), QStringLiteral("/x/new.jpg"));
        QVERIFY(!f.clock.frame().soundMenu().soundOn && f.clock.frame().soundMenu().soundOff);
        QCOMPARE(f.prepares(), 1); // "No chime": the player is not prepared again

        QVERIFY(f.store.writeSound(Design::Dov, {QStringLiteral("/x/new.wav"), QStringLiteral("1 hour")}).ok());
        f.clock.refresh().raise();
        f.clock.tick();
        QVERIFY(f.clock.frame().soundMenu().soundOn);
        QVERIFY(f.player.log.contains("prepare /x/new.wav"));
    }

    void unusableSettingsAreReportedOnceAndNeverRewritten()
    {
        Fixture f;
        const QString sound = f.folder.file("Settings/Dovspref.prf");
        TempProgramFolder::write(sound, "/only/one/line.wav\r\n");
        f.clock.load();
        QCOMPARE(f.problems.size(), 1);
        QCOMPARE(f.clock.chime(), QStringLiteral("5 min")); // the default
        QCOMPARE(TempProgramFolder::read(sound), QByteArray("/only/one/line.wav\r\n"));
        f.clock.tick();
        QCOMPARE(f.problems.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDovClock)
#include "tst_dovclock.moc"
