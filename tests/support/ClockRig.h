#pragma once

#include "base/WindowNames.h"
#include "clocks/Clock.h"
#include "settings/SettingsStore.h"
#include "support/FakeTime.h"
#include "support/FakeWindowOps.h"
#include "support/FakeWindows.h"
#include "support/RecordingPlayer.h"
#include "support/TempProgramFolder.h"

#include <QRegularExpression>
#include <QtTest>

#include <functional>
#include <memory>

namespace vrim::test {

// A skinned clock without its window, in a fresh program folder with default settings: fake
// time, a recording player, fake window operations, and the clock's window and the launcher in
// a registry (closing the window runs the frame's closing steps).
template <typename DesignClock>
struct ClockRig {
    TempProgramFolder folder;
    SettingsStore store{DataFolders(folder.path())};
    FakeTime time;
    RecordingPlayer player;
    FakeWindowOps ops;
    WindowLog log;
    WindowRegistry registry;
    std::unique_ptr<DesignClock> owned;
    DesignClock &clock;
    QStringList problems;
    QSignalSpy pictureLoads{&clock, &Clock::picturesChanged};

    ClockRig(Design design, const std::function<std::unique_ptr<DesignClock>(const ClockContext &)> &make)
        : owned(make(ClockContext{DataFolders(folder.path()), time, registry, ops, &player,
                                  rgbValue(240, 240, 240)}))
        , clock(*owned)
    {
        QVERIFY(store.writeDefaults().ok());
        QObject::connect(&clock, &Clock::problem, &clock,
                         [this](const QString &problem) { problems.append(problem); });
        time.now = QStringLiteral("09:04:58");
        for (const QString &name : {windowOf(design), window::Launcher})
            log.define(registry, name);
        registry.show(windowOf(design));
        log.onUnloading[windowOf(design)] = [this] { clock.frame().closing(); };
    }
    int prepares() const { return player.log.filter(QRegularExpression("^prepare ")).size(); }
};

} // namespace vrim::test
