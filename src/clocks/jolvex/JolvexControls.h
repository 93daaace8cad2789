#pragma once

#include <QString>

// The names of the Jolvex clock's controls, which accessibility and the tests find them by.
namespace vrim::jolvex::control {

inline const QString OnTop = QStringLiteral("Picture1");
inline const QString Preferences = QStringLiteral("Picture2");
inline const QString Move = QStringLiteral("Picture3");

} // namespace vrim::jolvex::control
