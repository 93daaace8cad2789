#pragma once

#include "base/WindowNames.h"

#include <QString>

#include <array>

namespace vrim {

// The eight clock designs. Everything that differs by design is looked up by this key, never
// by a position: each design declares its rows on a card in its own folder, the one table of
// cards is a switch over the designs, so a design without a card does not build (-Wswitch),
// and a card that names another design stops the program at its first lookup.
enum class Design { Dov, Norvi, Quenz, Perrin, Jolvex, Vrimcolor, Mip, Lumbo };

inline constexpr std::array<Design, 8> AllDesigns = {Design::Dov,    Design::Norvi,  Design::Quenz,
                                                     Design::Perrin, Design::Jolvex, Design::Vrimcolor,
                                                     Design::Mip,    Design::Lumbo};
static_assert(
    [] {
        for (size_t i = 0; i < AllDesigns.size(); ++i)
            if (size_t(AllDesigns[i]) != i)
                return false;
        return size_t(Design::Lumbo) + 1 == AllDesigns.size();
    }(),
    "AllDesigns lists every design once, in the enum's order");

// The design's window, as the registry knows it ("dov"), and its name in words ("Dov"): both
// from the design's card (clocks/Designs.h), like every other row a layer looks up by design.
QString windowOf(Design design);
QString designName(Design design);

} // namespace vrim
