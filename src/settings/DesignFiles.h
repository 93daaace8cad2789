#pragma once

#include "base/Design.h"

namespace vrim {

// A design's two settings files, its skin file and its sound file, and what they hold on a
// first start. Paths are stored the way the files keep them ("\Skins\Vrim\blui-3d.jpg").
struct DesignFiles {
    const char16_t *skin = nullptr;
    const char16_t *sound = nullptr;
    const char16_t *defaultSkin = nullptr;
    const char16_t *defaultCentre = nullptr; // the second skin line, where the design has one
    const char16_t *defaultSound = nullptr;

    int skinLines() const { return defaultCentre ? 2 : 1; }
};

// The design's files, or none where it keeps no skin or sound file (Perrin keeps nothing,
// Lumbo a file of its own). Each design declares its files in its own folder; the table of
// designs (clocks/Designs.cpp) answers this.
const DesignFiles *filesOf(Design design);

} // namespace vrim
