// The Perrin clock's pictures: one sky per hour of the day, with the hour's
// number, seen through the clock's oval window.
#pragma once

#include <QString>

namespace artgen {

// Hours 1..24 (24 is the hour after midnight), 162 x 160 and twice that,
// written as PNG into perrinDir with a Qt resource list.
void makePerrinArt(const QString &perrinDir);

} // namespace artgen
