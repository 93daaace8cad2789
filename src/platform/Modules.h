#pragma once

#include <QString>

namespace vrim::modules {

// The libraries a clock needs only later or never (the sound library for the first chime, the
// network library for Ostran Time's first query) are reached through small modules in the
// program folder's `modules/` folder, loaded the first time they are needed and kept loaded.

// The module file `name` ("sound", "network") of the program folder, found from the program
// file itself: never from the current folder or the environment, which could point elsewhere.
QString pathOf(const char *name);

// The entry `symbol` of the module `name`, loading it on the first call; nullptr when the module
// is missing or does not load (said once on the log, with the loader's reason).
void *entry(const char *name, const char *symbol);

} // namespace vrim::modules
