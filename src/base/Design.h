#pragma once

#include "base/WindowNames.h"

#include <QString>

#include <array>

namespace vrim {

// The eight clock designs. One key indexes everything that differs by design: the frame table,
// the chime table, the settings files, the Skin Manager rows and the launcher entries.
enum class Design { Dov, Norvi, Quenz, Perrin, Jolvex, Vrimcolor, Mip, Lumbo };

inline constexpr std::array<Design, 8> AllDesigns = {Design::Dov,    Design::Norvi,  Design::Quenz,
                                                     Design::Perrin, Design::Jolvex, Design::Vrimcolor,
                                                     Design::Mip,    Design::Lumbo};

constexpr size_t indexOf(Design design) { return size_t(design); }

// The design's window, as the registry knows it: "dov".
inline QString windowOf(Design design)
{
    static const std::array<QString, 8> names = {window::Dov,    window::Norvi,  window::Quenz,
                                                 window::Perrin, window::Jolvex, window::Vrimcolor,
                                                 window::Mip,    window::Lumbo};
    return names[indexOf(design)];
}

// The design's name in words: "Dov".
inline QString designName(Design design)
{
    static const std::array<QString, 8> names = {QStringLiteral("Dov"),    QStringLiteral("Norvi"),
                                                 QStringLiteral("Quenz"),  QStringLiteral("Perrin"),
                                                 QStringLiteral("Jolvex"), QStringLiteral("Vrimcolor"),
                                                 QStringLiteral("Mip"),    QStringLiteral("Lumbo")};
    return names[indexOf(design)];
}

} // namespace vrim
