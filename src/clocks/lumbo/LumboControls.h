#pragma once

#include <QString>

// The names of the Lumbo clock's controls, which accessibility and the tests find them by.
namespace vrim::lumbo::control {

inline const QString Quit = QStringLiteral("Quit");
inline const QString Preferences = QStringLiteral("Pref");
inline const QString Move = QStringLiteral("MoveBtn");
inline const QString OnTop = QStringLiteral("onTop");

} // namespace vrim::lumbo::control
