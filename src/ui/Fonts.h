#pragma once

#include <QFont>
#include <QString>

namespace vrim {

// The typefaces the windows were laid out for, asked for by the names the windows give. "Arial"
// and "Courier New" reach their metric-compatible faces (Liberation Sans and Liberation Mono)
// through the system's font aliases. Names with no such alias ("MS Sans Serif", "Arial Rounded
// MT Bold", "System") are asked for as the aliased face closest to them in metrics.
QFont windowFont(const QString &family, qreal points, bool bold = false);

// The face of every control that names no font of its own: "MS Sans Serif", 8.25 points.
QFont defaultWindowFont();

// Makes defaultWindowFont() the application's font, so fixed-size layouts fit their texts.
void useWindowFonts();

} // namespace vrim
