#pragma once

#include <QString>

// The names of the Norvi clock's controls, which accessibility and the tests find them by.
namespace vrim::norvi::control {

inline const QString Preferences = QStringLiteral("Picture11");
inline const QString Seconds = QStringLiteral("Picture9");
inline const QString Quit = QStringLiteral("Picture8");
inline const QString OnTop = QStringLiteral("Picture7");
inline const QString Move = QStringLiteral("Picture6");
// The face's lamp that says morning or afternoon.
inline const QString Indicator = QStringLiteral("Picture10");

} // namespace vrim::norvi::control
