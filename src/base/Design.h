#pragma once

#include "base/WindowNames.h"

#include <QString>

#include <array>

namespace vrim {

// The eight clock designs. Everything that differs by design is looked up by this key, never
// by a position: each table answers with a switch over the designs, so a design without a row
// does not build (-Wswitch), and a row that names another design fails at its first lookup.
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

// The design's window, as the registry knows it: "dov".
inline QString windowOf(Design design)
{
    switch (design) {
    case Design::Dov:
        return window::Dov;
    case Design::Norvi:
        return window::Norvi;
    case Design::Quenz:
        return window::Quenz;
    case Design::Perrin:
        return window::Perrin;
    case Design::Jolvex:
        return window::Jolvex;
    case Design::Vrimcolor:
        return window::Vrimcolor;
    case Design::Mip:
        return window::Mip;
    case Design::Lumbo:
        return window::Lumbo;
    }
    Q_UNREACHABLE();
    return QString();
}

// The design's name in words: "Dov".
inline QString designName(Design design)
{
    switch (design) {
    case Design::Dov:
        return QStringLiteral("Dov");
    case Design::Norvi:
        return QStringLiteral("Norvi");
    case Design::Quenz:
        return QStringLiteral("Quenz");
    case Design::Perrin:
        return QStringLiteral("Perrin");
    case Design::Jolvex:
        return QStringLiteral("Jolvex");
    case Design::Vrimcolor:
        return QStringLiteral("Vrimcolor");
    case Design::Mip:
        return QStringLiteral("Mip");
    case Design::Lumbo:
        return QStringLiteral("Lumbo");
    }
    Q_UNREACHABLE();
    return QString();
}

} // namespace vrim
