#pragma once

#include <QString>

// The names of the Mip clock's controls, which accessibility and the tests find them by.
namespace vrim::mip::control {

inline const QString Exit = QStringLiteral("Command1");
inline const QString OnTop = QStringLiteral("Picture2");
// One click moves the clock, two open its menu; its colour says morning or afternoon.
inline const QString Move = QStringLiteral("Picture3");

} // namespace vrim::mip::control
