#pragma once

#include "settings/DataFolders.h"
#include "shell/WindowRegistry.h"

#include <functional>

namespace vrim {

class Platform;

// The whole program minus the event loop: its windows by name, and start-up.
class Program {
public:
    Program(Platform &platform, DataFolders folders, std::function<void()> onEnd);

    WindowRegistry &registry() { return m_registry; }
    const DataFolders &folders() const { return m_folders; }

    // False when the first start could not set up the settings; the program then ends.
    bool start();

private:
    Platform &m_platform;
    DataFolders m_folders;
    WindowRegistry m_registry;
};

} // namespace vrim
