#include "shell/Startup.h"

#include "base/WindowNames.h"
#include "base/WindowRegistry.h"
#include "platform/Platform.h"

#include <QFileInfo>

namespace vrim {

bool isFirstStart(const DataFolders &folders) { return !QFileInfo(folders.path(u"\\Settings")).isDir(); }

bool startUp(const DataFolders &folders, WindowRegistry &registry, Platform &platform)
{
    SettingsStore(folders).clearLeftovers();
    if (isFirstStart(folders)) {
        const Saved saved = SettingsStore(folders).writeDefaults();
        if (!saved.ok()) {
            platform.messages().inform(saved.problem);
            return false;
        }
    }
    registry.show(window::Splash);
    return true;
}

void comeForward(WindowRegistry &registry)
{
    if (registry.isLoaded(window::Splash) && !registry.isLoaded(window::Launcher))
        registry.show(window::Splash);
    else
        registry.show(window::Launcher);
}

} // namespace vrim
