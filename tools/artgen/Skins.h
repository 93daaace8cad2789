// The skin pictures behind the clocks.
#pragma once

#include <QString>

namespace artgen {

// Draws every skin into <dataDir>/Skins/<clock>/.
void makeSkins(const QString &dataDir);

} // namespace artgen
