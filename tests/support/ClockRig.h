#pragma once

#include "base/WindowNames.h"
#include "clocks/Clock.h"
#include "clocks/Designs.h"
#include "settings/SettingsStore.h"
#include "support/FakeTime.h"
#include "support/FakeWindowOps.h"
#include "support/FakeWindows.h"
#include "support/RecordingPlayer.h"
#include "support/TempProgramFolder.h"

#include <QtTest>

#include <functional>
#include <memory>

namespace vrim::test {

inline QString secondsLater(const QString &time, int seconds)
{
    return QTime::fromString(time, QStringLiteral("HH:mm:ss"))
        .addSecs(seconds)
        .toString(QStringLiteral("HH:mm:ss"));
}

// A clock without its window: fake time, a recording player, fake window operations, and the
// clock's window and the launcher in a registry (closing the window runs the frame's closing
// steps). Its program folder is a fresh one with default settings, or one it shares with other
// clocks: opening clocks is cheap when the settings are written once. Without a maker it is the
// design's own clock, made by its card.
template <typename DesignClock = Clock>
struct ClockRig {
    using Maker = std::function<std::unique_ptr<DesignClock>(const ClockContext &)>;
    TempProgramFolder folder;
    SettingsStore store;
    FakeTime time;
    RecordingPlayer player;
    FakeWindowOps ops;
    WindowLog log;
    WindowRegistry registry;
    std::unique_ptr<DesignClock> owned;
    DesignClock &clock;
    QStringList problems;
    QSignalSpy pictureLoads{&clock, &Clock::picturesChanged};

    explicit ClockRig(Design design, const QString &shared = {}) requires std::is_same_v<DesignClock, Clock>
        : ClockRig(design, shared,
                   [design](const ClockContext &context) { return cardOf(design).make(context); })
    {}
    ClockRig(Design design, const QString &shared, const Maker &make)
        : store(DataFolders(shared.isEmpty() ? folder.path() : shared))
        , owned(make(ClockContext{store.folders(), time, registry, ops, &player, rgbValue(240, 240, 240)}))
        , clock(*owned)
    {
        if (shared.isEmpty())
            QVERIFY(store.writeDefaults().ok());
        QObject::connect(&clock, &Clock::problem, &clock,
                         [this](const QString &problem) { problems.append(problem); });
        time.now = QStringLiteral("09:04:58");
        for (const QString &name : {windowOf(design), window::Launcher})
            log.define(registry, name);
        registry.show(windowOf(design));
        log.onUnloading[windowOf(design)] = [this] { clock.frame().closing(); };
    }

    // The first step opens the clock at its time; then "HH:MM:SS" is a pass then, "a..b" a pass
    // each second from a to b ("a..b/2": every other second), "=HH:MM:SS" sets the time alone,
    // "x=N" and "screen=N" put the window's left edge and the screen's width (pixels), and the
    // words are what a user does: "drag", "ontop", "reload" (the Skin Manager's two raises),
    // "item Name" (a menu item), "Down Name" / "Up Name" / "Click Name" (a button).
    void run(const QStringList &steps)
    {
        for (const QString &step : steps) {
            if (&step == &steps.front()) {
                time.now = step;
                clock.load();
            } else if (step.contains(QStringLiteral(".."))) {
                const QString to = step.section(QStringLiteral(".."), 1).section(u'/', 0, 0);
                const int by = step.contains(u'/') ? step.section(u'/', 1).toInt() : 1;
                for (QString t = step.section(QStringLiteral(".."), 0, 0);; t = secondsLater(t, by)) {
                    time.now = t;
                    clock.tick();
                    if (t == to)
                        break;
                }
            } else if (step.startsWith(u'=')) {
                time.now = step.mid(1);
            } else if (step.startsWith(QStringLiteral("x="))) {
                ops.x = step.mid(2).toInt();
            } else if (step.startsWith(QStringLiteral("screen="))) {
                ops.screen = step.mid(7).toInt();
            } else if (step == u"drag") {
                clock.frame().pressMoveHandle();
                ops.endDrag();
            } else if (step == u"ontop") {
                clock.frame().pressOnTopButton();
            } else if (step == u"reload") {
                clock.refresh().raise();
                clock.refresh().raise();
                clock.tick();
            } else if (step.startsWith(QStringLiteral("item "))) {
                clock.frame().chooseMenuItem(step.mid(5));
            } else if (step.contains(u' ')) {
                const QString gesture = step.section(u' ', 0, 0);
                clock.buttonGesture(step.section(u' ', 1), gesture == u"Down" ? Clock::Gesture::Down
                                                           : gesture == u"Up" ? Clock::Gesture::Up
                                                                              : Clock::Gesture::Click);
            } else {
                time.now = step;
                clock.tick();
            }
        }
    }
};

} // namespace vrim::test
