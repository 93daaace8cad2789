#pragma once

#include <QString>

// The names of the Quenz clock's controls, which accessibility and the tests find them by.
namespace vrim::quenz::control {

inline const QString Move = QStringLiteral("Picture5");
inline const QString OnTop = QStringLiteral("Picture6");
inline const QString Preferences = QStringLiteral("Picture7");
// The face's dot that says morning or afternoon.
inline const QString Dot = QStringLiteral("Picture4");

} // namespace vrim::quenz::control
