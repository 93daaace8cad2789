#pragma once

#include "app/Program.h"
#include "base/WindowNames.h"
#include "clocks/ClockWindow.h"
#include "settings/SettingsStore.h"
#include "support/FakePlatform.h"
#include "support/FakeWindows.h"
#include "support/TempProgramFolder.h"
#include "ui/WidgetWindow.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <utility>

namespace vrim::test {

// The widget of a loaded window, or null.
inline QWidget *widgetOf(WindowRegistry &registry, const QString &name)
{
    auto *handle = dynamic_cast<WidgetWindow *>(registry.window(name));
    return handle ? handle->widget() : nullptr;
}

// The whole program offscreen on test doubles: a fresh program folder with its default settings
// (none on a first start), stand-ins that write down what happens to them for the windows named
// (the launcher unless told), the time of day set, and the program's ends counted.
struct ProgramRig {
    TempProgramFolder folder;
    FakePlatform platform;
    WindowLog others;
    int ends = 0;
    Program program{platform, DataFolders(folder.path()), [this] { ++ends; }};

    explicit ProgramRig(const QString &now, const QStringList &standIns = {window::Launcher},
                        bool firstStart = false)
    {
        if (!firstStart)
            QVERIFY(SettingsStore(DataFolders(folder.path())).writeDefaults().ok());
        for (const QString &name : standIns)
            others.define(program.registry(), name);
        platform.clock.now = now;
    }

    // The widget of a loaded window, or nothing.
    template <class Widget>
    Widget *loadedWidget(const QString &name)
    {
        return qobject_cast<Widget *>(widgetOf(program.registry(), name));
    }
    // Opens a design's clock as the launcher would, and answers its window.
    ClockWindow *openClock(Design design) { return show<ClockWindow>(windowOf(design)); }
    // Shows a window as the launcher would, and answers its widget.
    template <typename T = QWidget>
    T *show(const QString &name)
    {
        program.registry().show(name);
        return loadedWidget<T>(name);
    }
    FakeTimer &ticker() { return *platform.timers.front(); }
    // The ticker's pass at the given time of day.
    void passAt(const char *time)
    {
        platform.clock.now = QString::fromLatin1(time);
        ticker().elapse();
    }
    RecordingPlayer &player() { return *platform.players.back(); }

    // Runs `gesture`; answers the name and the items ("-" a separator) of the menu it popped up,
    // which is closed at once, or nothing.
    static std::pair<QString, QStringList> menuPoppedBy(const std::function<void()> &gesture)
    {
        QString popped;
        QStringList items;
        // A timer of this scope: one left waiting after a gesture that popped nothing must not
        // fire in a later menu.
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                popped = menu->objectName();
                for (QAction *action : menu->actions())
                    items.append(action->isSeparator() ? QStringLiteral("-") : action->text());
                menu->close();
            }
        });
        watch.start();
        gesture();
        QCoreApplication::processEvents();
        return {popped, items};
    }

    // Lets what was posted happen: windows unloaded from their own handlers are deleted.
    static void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

} // namespace vrim::test
