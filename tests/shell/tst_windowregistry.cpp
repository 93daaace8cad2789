#include "base/WindowNames.h"
#include "base/WindowRegistry.h"
#include "shell/LauncherModel.h"
#include "support/FakeWindows.h"

#include <QtTest>

using namespace vrim;
using vrim::test::WindowLog;

namespace {

const QStringList AllNames = {window::Launcher, window::HelpMenu,  window::Dov,
                              window::Norvi,    window::Stopwatch, window::Perrin};

const LauncherEntry &entryLabelled(const QString &label)
{
    for (const LauncherEntry &entry : launcher::entries())
        if (entry.label == label)
            return entry;
    qFatal("no launcher entry %s", qPrintable(label));
}

} // namespace

class TestWindowRegistry : public QObject {
    Q_OBJECT

    WindowRegistry *m_registry = nullptr;
    WindowLog *m_log = nullptr;
    std::unique_ptr<QSignalSpy> m_ends;

    // A clock's closing behaviour: it shows the launcher again.
    void clockShowsLauncherWhenClosing(const QString &clock)
    {
        m_log->onUnloading[clock] = [this] { m_registry->show(window::Launcher); };
    }

private Q_SLOTS:
    void init()
    {
        m_registry = new WindowRegistry;
        m_log = new WindowLog;
        for (const QString &name : AllNames)
            m_log->define(*m_registry, name);
        m_ends = std::make_unique<QSignalSpy>(m_registry, &WindowRegistry::lastWindowGone);
    }
    void cleanup()
    {
        m_ends.reset();
        delete m_registry;
        delete m_log;
    }

    void showCreatesOnceAndBringsForward()
    {
        QVERIFY(m_registry->show(window::Dov));
        QVERIFY(m_registry->show(window::Dov));
        QCOMPARE(m_log->events, (QStringList{"load dov", "show dov", "show dov"}));
        QCOMPARE(m_registry->loaded(), QStringList{window::Dov});
    }

    void unknownWindowIsNotShown()
    {
        QVERIFY(!m_registry->show(window::Lumbo));
        QVERIFY(m_registry->loaded().isEmpty());
    }

    void unloadDropsStateAndLastOneEndsTheProgram()
    {
        m_registry->show(window::Dov);
        m_registry->show(window::Norvi);
        m_registry->unload(window::Dov);
        QCOMPARE(m_ends->count(), 0);
        m_registry->unload(window::Norvi);
        QCOMPARE(m_ends->count(), 1);
        m_registry->show(window::Dov); // created afresh
        QCOMPARE(m_log->events.count("load dov"), 2);
    }

    void closingBehaviourRunsOnceEvenWhenItClosesItself()
    {
        m_registry->show(window::Dov);
        m_log->onUnloading[window::Dov] = [this] { m_registry->unload(window::Dov); };
        m_registry->unload(window::Dov);
        QCOMPARE(m_log->events.count("unload dov"), 1);
        QCOMPARE(m_log->events.count("gone dov"), 1);
    }

    void openingAnEntryReplacesTheLauncher()
    {
        m_registry->show(window::Launcher);
        m_registry->show(window::HelpMenu);
        launcher::activate(*m_registry, entryLabelled("Dov"), EntryPart::Bar);
        QCOMPARE(m_registry->loaded(), (QStringList{window::HelpMenu, window::Dov}));
    }

    void openingALoadedWindowDoesNotReloadIt()
    {
        m_registry->show(window::Dov);
        m_registry->show(window::Launcher);
        launcher::activate(*m_registry, entryLabelled("Dov"), EntryPart::Label);
        QCOMPARE(m_log->events.count("load dov"), 1);
        QCOMPARE(m_log->events.last(), QStringLiteral("gone menu"));
        QCOMPARE(m_registry->loaded(), QStringList{window::Dov});
    }

    void anEntryThisBuildLacksLeavesTheLauncherOpen()
    {
        m_registry->show(window::Launcher);
        launcher::activate(*m_registry, entryLabelled("lumbo"), EntryPart::Bar);
        QCOMPARE(m_registry->loaded(), QStringList{window::Launcher});
        QCOMPARE(m_ends->count(), 0);
    }

    void exitLabelClosesOnlyTheLauncher()
    {
        m_registry->show(window::HelpMenu);
        m_registry->show(window::Launcher);
        launcher::activate(*m_registry, entryLabelled("Exit"), EntryPart::Label);
        QCOMPARE(m_registry->loaded(), QStringList{window::HelpMenu});
        QCOMPARE(m_ends->count(), 0);
    }

    void exitBarWithAClockThatShowsTheLauncherAgain()
    {
        clockShowsLauncherWhenClosing(window::Norvi);
        m_registry->show(window::HelpMenu);
        m_registry->show(window::Launcher);
        m_registry->show(window::Norvi);
        launcher::activate(*m_registry, entryLabelled("Exit"), EntryPart::Bar);
        QVERIFY(m_registry->loaded().isEmpty());
        QCOMPARE(m_ends->count(), 1);
        // Newest first; Norvi's closing only brought the loaded launcher forward.
        const QStringList unloads = m_log->events.filter(QRegularExpression("^unload "));
        QCOMPARE(unloads, (QStringList{"unload norvi", "unload menu", "unload HlpMnu"}));
    }

    void exitBarClosesALauncherReShownDuringTheSweep()
    {
        // The launcher was shown last (from the help menu), after the clock.
        clockShowsLauncherWhenClosing(window::Norvi);
        m_registry->show(window::HelpMenu);
        m_registry->show(window::Norvi);
        m_registry->show(window::Launcher);
        launcher::exitByBar(*m_registry);
        QVERIFY(m_registry->loaded().isEmpty());
        QCOMPARE(m_log->events.count("load menu"), 2);
        QCOMPARE(m_ends->count(), 1);
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
        m_registry->show(window::Dov);
        m_registry->show(window::Norvi);
        m_registry->show(window::Stopwatch);
        m_registry->show(window::Perrin);
        m_registry->closeAll();
        // Index 3 is past the one window left, so the sweep ends there and leaves it open.
        QCOMPARE(m_registry->loaded(), QStringList{window::Stopwatch});
        QCOMPARE(m_ends->count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestWindowRegistry)
#include "tst_windowregistry.moc"
