#pragma once

#include "settings/DataFolders.h"
#include "settings/SettingsStore.h"

namespace vrim {

class WindowRegistry;

// The first start is the one that finds no settings folder beside the program.
bool isFirstStart(const DataFolders &folders);

// Clears what killed starts and saves left behind, then shows the splash. A first start's
// settings are written once the splash is on the screen (see Program): the splash needs none of
// them, and writing a folder of files safely to disk takes longer than the splash's whole paint.
void startUp(const DataFolders &folders, WindowRegistry &registry);

// A later start of the program asked for it: the launcher comes forward, shown if it was not. While
// the splash still runs, the splash comes forward instead; the launcher follows it.
void comeForward(WindowRegistry &registry);

} // namespace vrim
