#pragma once

#include "base/Geometry.h"

#include <QColor>

namespace vrim {

inline QColor toQColor(ColourValue value) { return QColor(redOf(value), greenOf(value), blueOf(value)); }

} // namespace vrim
