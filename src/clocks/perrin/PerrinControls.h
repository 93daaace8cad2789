#pragma once

#include <QString>

// The names of the Perrin clock's controls, which accessibility and the tests find them by.
namespace vrim::perrin::control {

// The minutes box, which also puts the clock on top.
inline const QString Minutes = QStringLiteral("Picture1");
// The hidden spot that drags the clock and, double-clicked, closes it.
inline const QString HotSpot = QStringLiteral("Image2");

} // namespace vrim::perrin::control
