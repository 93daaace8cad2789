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
#include <iterator>
#include <memory>
#include <tuple>
#include <utility>

namespace vrim::test {

// Data tables whose columns are known by their place: the test names them as it takes a row,
// const auto [design, steps] = fetched<Design, QStringList>(), after columns<Design, QStringList>().
inline constexpr const char *ColumnNames[] = {"0", "1", "2", "3", "4", "5", "6", "7"};

template <typename... T>
void columns()
{
    static_assert(sizeof...(T) <= std::size(ColumnNames));
    size_t column = 0;
    (QTest::addColumn<T>(ColumnNames[column++]), ...);
}

template <typename... T, size_t... Column>
std::tuple<T...> fetchedFrom(std::index_sequence<Column...>)
{
    return {*static_cast<T *>(QTest::qData(ColumnNames[Column], qMetaTypeId<T>()))...};
}

template <typename... T>
std::tuple<T...> fetched()
{
    static_assert(sizeof...(T) <= std::size(ColumnNames));
    return fetchedFrom<T...>(std::index_sequence_for<T...>{});
}

inline QString secondsLater(const QString &time, int seconds)
{
    return QTime::fromString(time, QStringLiteral("HH:mm:ss"))
        .addSecs(seconds)
        .toString(QStringLiteral("HH:mm:ss"));
}

// A clock without its window, on fake time, player and window operations, its window and the launcher
// in a registry. Its program folder is fresh, or shared by clocks so that settings are written once.
// Without a maker it is the design's own clock, made by its card.
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

    // The first step opens the clock at its time; then "HH:MM:SS" is a pass, "a..b" a pass each second
    // ("a..b/2": every other), "=HH:MM:SS" sets the time alone, "x=N" and "screen=N" the window's left
    // edge and the screen's width (px); "drag", "reload" (the Skin Manager's two raises),
    // "item Name" (a menu item) and "Down/Up/Click Name" (a button) are what a user does.
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
