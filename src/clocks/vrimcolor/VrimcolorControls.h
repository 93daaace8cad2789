#pragma once

#include <QString>

// The names of the Vrimcolor clock's controls, which accessibility and the tests find them by.
namespace vrim::vrimcolor::control {

// It also shows the face's lamp.
inline const QString Move = QStringLiteral("Picture1");
inline const QString OnTop = QStringLiteral("Picture3");
inline const QString Quit = QStringLiteral("QuitBtn");
inline const QString Preferences = QStringLiteral("Command1");

} // namespace vrim::vrimcolor::control
