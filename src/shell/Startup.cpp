#include "shell/Startup.h"

#include "base/WindowNames.h"
#include "base/WindowRegistry.h"

#include <QFileInfo>

namespace vrim {

bool isFirstStart(const DataFolders &folders) { return !QFileInfo(folders.path(u"\\Settings")).isDir(); }

void startUp(const DataFolders &folders, WindowRegistry &registry)
{
    SettingsStore(folders).clearLeftovers();
    registry.show(window::Splash);
}

void comeForward(WindowRegistry &registry)
{
    if (registry.isLoaded(window::Splash) && !registry.isLoaded(window::Launcher))
        registry.show(window::Splash);
    else
        registry.show(window::Launcher);
}

} // namespace vrim
