#pragma once

#include "clocks/DesignCard.h"

namespace vrim {

// The table of designs: each design's card, by its key. A card that names another design stops
// the program at the first lookup.
const DesignCard &cardOf(Design design);

} // namespace vrim
