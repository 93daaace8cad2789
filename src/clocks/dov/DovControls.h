#pragma once

#include <QString>

// The names of the Dov clock's controls, which accessibility and the tests find them by.
namespace vrim::dov::control {

inline const QString Quit = QStringLiteral("Picture7");
inline const QString Preferences = QStringLiteral("Picture5");
inline const QString OnTop = QStringLiteral("Picture6");
inline const QString Move = QStringLiteral("Picture4");

} // namespace vrim::dov::control
