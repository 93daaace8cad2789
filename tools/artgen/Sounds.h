// The chimes, synthesised.
#pragma once

#include <QString>

namespace artgen {

// Writes every chime into <dataDir>/Sounds/.
void makeSounds(const QString &dataDir);

} // namespace artgen
