#pragma once

#include "settings/DataFolders.h"
#include "settings/SettingsStore.h"

namespace vrim {

class Platform;
class WindowRegistry;

// The first start is the one that finds no settings folder beside the program.
bool isFirstStart(const DataFolders &folders);

// Sets up the settings on the first start, then shows the splash. When the set-up fails, the
// platform's reason is shown and the answer is false: the program ends without a splash.
bool startUp(const DataFolders &folders, WindowRegistry &registry, Platform &platform);

// A later start of the program asked for it: the launcher comes forward, shown if it was not. While
// the splash still runs, the splash comes forward instead; the launcher follows it.
void comeForward(WindowRegistry &registry);

} // namespace vrim
