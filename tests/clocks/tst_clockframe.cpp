#include "base/WindowNames.h"
#include "clocks/ClockFrame.h"
#include "support/FakeWindowOps.h"
#include "support/FakeWindows.h"
#include "support/RecordingPlayer.h"

#include <QtTest>

using namespace vrim;
using namespace vrim::test;

class TestClockFrame : public QObject {
    Q_OBJECT

    // A clock of the given design, loaded, with the launcher and a Skin Manager to open.
    struct Fixture {
        WindowLog log;
        WindowRegistry registry;
        FakeWindowOps ops;
        RecordingPlayer player;
        ClockFrame frame;
        int afterDrag = 0;
        int afterToggle = 0;
        QStringList playerWhenSkinManagerOpened;

        explicit Fixture(const FrameDesign &design, bool onTopPossible = true)
            : frame(design, registry, ops, design.hasPlayer ? &player : nullptr,
                    {.afterDrag = [this] { ++afterDrag; }, .afterToggle = [this] { ++afterToggle; }})
        {
            ops.onTopPossible = onTopPossible;
            for (const QString &name : {design.window, window::Launcher})
                log.define(registry, name);
            registry.define(design.skinManager, [this]() -> std::unique_ptr<ManagedWindow> {
                playerWhenSkinManagerOpened = player.log;
                struct Dialog final : ManagedWindow {
                    void present() override {}
                };
                return std::make_unique<Dialog>();
            });
            log.onUnloading[design.window] = [this] { frame.closing(); };
            registry.show(design.window);
            frame.load();
        }
    };

private Q_SLOTS:
    void opensOnTopAndTogglesBothWays()
    {
        Fixture f(frame::of(Design::Dov));
        QCOMPARE(f.ops.log, QStringList{"on top"});
        QCOMPARE(f.frame.onTopColour(), frame::LightGreen);
        f.frame.pressOnTopButton();
        QCOMPARE(f.frame.onTopColour(), frame::Red);
        f.frame.pressOnTopButton();
        QCOMPARE(f.frame.onTopColour(), frame::LightGreen);
        QCOMPARE(f.ops.log, (QStringList{"on top", "released", "on top"}));
        QCOMPARE(f.afterToggle, 2);
    }

    // Where nothing can keep a window on top (Wayland), the button never says it is.
    void onTopButtonStaysOffWhereThePlatformCannotKeepWindowsOnTop()
    {
        Fixture f(frame::of(Design::Dov), false);
        QCOMPARE(f.frame.onTopColour(), frame::Red);
        f.frame.pressOnTopButton();
        QCOMPARE(f.frame.onTopColour(), frame::Red);
        QCOMPARE(f.ops.log, QStringList{});
        QCOMPARE(f.afterToggle, 0);
    }

    void foreignOnTopColourDoesNothing()
    {
        Fixture f(frame::of(Design::Dov));
        f.frame.setOnTopColour(rgbValue(1, 2, 3));
        f.frame.pressOnTopButton();
        QCOMPARE(f.frame.onTopColour(), rgbValue(1, 2, 3));
        QCOMPARE(f.ops.log, QStringList{"on top"});
        QCOMPARE(f.afterToggle, 0);
    }

    void afterDragRunsOnceWhenTheMoveHasEnded()
    {
        Fixture f(frame::of(Design::Dov));
        f.frame.pressMoveHandle();
        QCOMPARE(f.afterDrag, 0);
        f.ops.endDrag();
        f.ops.endDrag();
        QCOMPARE(f.afterDrag, 1);
    }

    void soundItemsSwapTheirMarks()
    {
        Fixture f(frame::of(Design::Dov));
        f.frame.chooseMenuItem(QStringLiteral("SoundOff"));
        QVERIFY(!f.frame.soundMenu().soundOn && f.frame.soundMenu().soundOff);
        f.frame.chooseMenuItem(QStringLiteral("SoundOn"));
        QVERIFY(f.frame.soundMenu().soundOn && !f.frame.soundMenu().soundOff);
    }

    void skinManagerItemClosesThePlayerFirst()
    {
        Fixture f(frame::of(Design::Dov));
        f.frame.chooseMenuItem(QStringLiteral("SkinMgr"));
        QCOMPARE(f.playerWhenSkinManagerOpened, QStringList{"close"});
        QVERIFY(f.registry.isLoaded(QStringLiteral("dovprefs")));
    }

    void windowsThisBuildLacksAreNotOpened()
    {
        Fixture f(frame::of(Design::Dov));
        f.frame.chooseMenuItem(QStringLiteral("Helpmnu"));
        f.frame.chooseMenuItem(QStringLiteral("About"));
        QCOMPARE(f.registry.loaded(), QStringList{window::Dov});
    }

    // The help item hands the help page window its design's key.
    void helpItemHandsItsKey_data()
    {
        QTest::addColumn<Design>("design");
        QTest::addColumn<QString>("key");
        QTest::newRow("Dov") << Design::Dov << "dov";
        QTest::newRow("Norvi") << Design::Norvi << "norvi";
        QTest::newRow("Quenz") << Design::Quenz << "quenz";
        QTest::newRow("Jolvex, Help !!!") << Design::Jolvex << "Jolvex";
        QTest::newRow("Vrimcolor") << Design::Vrimcolor << "Vrimcolor";
        QTest::newRow("Mip") << Design::Mip << "Mip";
    }
    void helpItemHandsItsKey()
    {
        QFETCH(Design, design);
        QFETCH(QString, key);
        Fixture f(frame::of(design));
        QStringList keys;
        struct Page final : ManagedWindow {
            QStringList &keys;
            explicit Page(QStringList &into)
                : keys(into)
            {}
            void present() override {}
            void setPageKey(const QString &text) override { keys.append(text); }
        };
        f.registry.define(window::HelpPage, [&keys] { return std::make_unique<Page>(keys); });
        f.frame.chooseMenuItem(frame::of(design).helpItem);
        QVERIFY(f.registry.isLoaded(window::HelpPage));
        QCOMPARE(keys, QStringList{key});
    }

    void quitItemAndQuitControlShowTheLauncher()
    {
        Fixture f(frame::of(Design::Dov));
        f.frame.chooseMenuItem(QStringLiteral("Quit"));
        QCOMPARE(f.registry.loaded(), QStringList{window::Launcher});
        QCOMPARE(f.player.log, (QStringList{"Close", "Close"})); // the item's, then the unload's

        Fixture g(frame::of(Design::Dov));
        g.frame.useQuitControl();
        QCOMPARE(g.registry.loaded(), QStringList{window::Launcher});
        QCOMPARE(g.player.log, QStringList{"Close"});
    }

    void closingShowsTheLauncherOnlyWhereTheDesignSaysSo_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<bool>("showsLauncher");
        for (const char *name : {"dov", "Quenz", "vrimcolor", "lumbo"})
            QTest::newRow(name) << name << false;
        for (const char *name : {"norvi", "Mip", "Jolvex", "Perrin"})
            QTest::newRow(name) << name << true;
    }
    void closingShowsTheLauncherOnlyWhereTheDesignSaysSo()
    {
        QFETCH(QString, design);
        QFETCH(bool, showsLauncher);
        Fixture f(*frame::find(design));
        f.registry.unload(design); // the platform's close command
        QCOMPARE(f.registry.isLoaded(window::Launcher), showsLauncher);
        QCOMPARE(f.player.log.contains("Close"), f.frame.design().hasPlayer);
    }

    void completionRewinds()
    {
        Fixture f(frame::of(Design::Dov));
        f.frame.playerCompleted();
        QCOMPARE(f.player.log, QStringList{"Prev"});
    }
};

QTEST_GUILESS_MAIN(TestClockFrame)
#include "tst_clockframe.moc"
