#include "base/WindowNames.h"
#include "base/WindowRegistry.h"
#include "shell/LauncherModel.h"
#include "support/FakeWindows.h"

#include <QtTest>

using namespace vrim;
using vrim::test::WindowLog;

class TestWindowRegistry : public QObject {
    Q_OBJECT

    WindowRegistry *m_registry = nullptr;
    WindowLog *m_log = nullptr;
    std::unique_ptr<QSignalSpy> m_ends;

private Q_SLOTS:
    void init()
    {
        m_registry = new WindowRegistry;
        m_log = new WindowLog;
        for (const QString &name : {window::Launcher, window::HelpMenu, window::Dov, window::Norvi,
                                    window::Stopwatch, window::Perrin})
            m_log->define(*m_registry, name);
        m_ends = std::make_unique<QSignalSpy>(m_registry, &WindowRegistry::lastWindowGone);
    }
    void cleanup()
    {
        m_ends.reset();
        delete m_registry;
        delete m_log;
    }

    void showLoadsOnceAndTheLastUnloadEndsTheProgram()
    {
        QVERIFY(!m_registry->show(window::Lumbo)); // not defined here
        QVERIFY(m_registry->show(window::Dov));
        QVERIFY(m_registry->show(window::Dov)); // brought forward, not loaded again
        QCOMPARE(m_log->events, (QStringList{"load dov", "show dov", "show dov"}));
        m_registry->show(window::Norvi);
        m_registry->unload(window::Dov);
        QCOMPARE(m_ends->count(), 0);
        // A closing behaviour that closes its own window runs once.
        m_log->onUnloading[window::Norvi] = [this] { m_registry->unload(window::Norvi); };
        m_registry->unload(window::Norvi);
        QCOMPARE(m_log->events.count("unload norvi"), 1);
        QCOMPARE(m_log->events.count("gone norvi"), 1);
        QCOMPARE(m_ends->count(), 1);
        m_registry->show(window::Dov); // created afresh
        QCOMPARE(m_log->events.count("load dov"), 2);
    }

    void launcherEntries_data()
    {
        QTest::addColumn<QStringList>("shown"); // in this order; Norvi's closing shows the launcher
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("bar");
        QTest::addColumn<QStringList>("loaded");
        QTest::addColumn<QStringList>("unloads");
        QTest::addColumn<int>("loads");
        QTest::addColumn<int>("ends");
        const QString menu = window::Launcher, help = window::HelpMenu;
        QTest::newRow("a bar replaces the launcher")
            << QStringList{menu, help} << "Dov" << true << QStringList{help, window::Dov}
            << QStringList{"unload menu"} << 3 << 0;
        QTest::newRow("a loaded window is not loaded again")
            << QStringList{window::Dov, menu} << "Dov" << false << QStringList{window::Dov}
            << QStringList{"unload menu"} << 2 << 0;
        QTest::newRow("an entry this build lacks leaves the launcher")
            << QStringList{menu} << "lumbo" << true << QStringList{menu} << QStringList{} << 1 << 0;
        QTest::newRow("Exit label closes only the launcher")
            << QStringList{help, menu} << "Exit" << false << QStringList{help} << QStringList{"unload menu"}
            << 2 << 0;
        QTest::newRow("Exit bar closes all, newest first")
            << QStringList{help, menu, window::Norvi} << "Exit" << true << QStringList{}
            << QStringList{"unload norvi", "unload menu", "unload HlpMnu"} << 3 << 1;
        QTest::newRow("Exit bar closes a launcher shown again during the sweep")
            << QStringList{help, window::Norvi, menu} << "Exit" << true << QStringList{}
            << QStringList{"unload menu", "unload norvi", "unload HlpMnu", "unload menu"} << 4 << 1;
    }
    void launcherEntries()
    {
        QFETCH(QStringList, shown);
        QFETCH(QString, entry);
        QFETCH(bool, bar);
        QFETCH(QStringList, loaded);
        QFETCH(QStringList, unloads);
        QFETCH(int, loads);
        QFETCH(int, ends);
        m_log->onUnloading[window::Norvi] = [this] { m_registry->show(window::Launcher); };
        for (const QString &name : shown)
            m_registry->show(name);
        const auto it = std::find_if(launcher::entries().begin(), launcher::entries().end(),
                                     [&](const LauncherEntry &e) { return e.label == entry; });
        QVERIFY(it != launcher::entries().end());
        launcher::activate(*m_registry, *it, bar ? EntryPart::Bar : EntryPart::Label);
        QCOMPARE(m_registry->loaded(), loaded);
        QCOMPARE(m_log->events.filter(QRegularExpression("^unload ")), unloads);
        QCOMPARE(m_log->events.filter(QRegularExpression("^load ")).size(), loads);
        QCOMPARE(m_ends->count(), ends);
    }

    void sweepLeavesWindowsOpenedDuringIt()
    {
        // Norvi's closing opens the stopwatch, which is not among the windows counted.
        m_log->onUnloading[window::Norvi] = [this] { m_registry->show(window::Stopwatch); };
        m_registry->show(window::Dov);
        m_registry->show(window::Norvi);
        m_registry->closeAll();
        QCOMPARE(m_registry->loaded(), QStringList{window::Stopwatch});
        QCOMPARE(m_ends->count(), 0);
    }

    void sweepStopsWhenAClosingWindowClosedOthers()
    {
        // Perrin's closing takes two other windows with it.
        m_log->onUnloading[window::Perrin] = [this] {
            m_registry->unload(window::Dov);
            m_registry->unload(window::Norvi);
        };
        for (const QString &name : {window::Dov, window::Norvi, window::Stopwatch, window::Perrin})
            m_registry->show(name);
        m_registry->closeAll();
        // Index 3 is past the one window left, so the sweep ends there and leaves it open.
        QCOMPARE(m_registry->loaded(), QStringList{window::Stopwatch});
        QCOMPARE(m_ends->count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestWindowRegistry)
#include "tst_windowregistry.moc"
