#include "shell/Program.h"

#include "shell/LauncherWindow.h"
#include "shell/SplashWindow.h"
#include "shell/Startup.h"
#include "shell/WindowNames.h"

// The artwork lives in a static library, whose resources are not registered on their own.
static void registerArtwork() { Q_INIT_RESOURCE(artwork); }

namespace vrim {

Program::Program(Platform &platform, DataFolders folders, std::function<void()> onEnd)
    : m_platform(platform)
    , m_folders(std::move(folders))
{
    registerArtwork();
    m_registry.onLastWindowGone(std::move(onEnd));
    m_registry.define(window::Splash, [this] {
        return std::make_unique<WidgetWindow>(new SplashWindow(m_registry, m_platform));
    });
    m_registry.define(window::Launcher,
                      [this] { return std::make_unique<WidgetWindow>(new LauncherWindow(m_registry)); });
}

bool Program::start() { return startUp(m_folders, m_registry, m_platform); }

} // namespace vrim
