// Checks of the pictures as they lie on disk, run after writing them and by `--check` on the
// ones kept in the tree. Each failure is reported and counted like a file that failed.
#pragma once

#include <QString>

namespace artgen {

// Every Mip picture at both sizes: transparent round the edge, centred, and with as many points
// as its number, counted from the pixels (the zero a closed ring, the one a ball); the numbers
// of a set differ in colour; the resource list names all 44 and nothing missing; the help's
// zero is a 21 px GIF ring with a transparent colour.
void checkMipArt(const QString &mipDir, const QString &zeroGifPath);

// Every Perrin hour at both sizes, and any two hours clearly different through the clock's oval.
void checkPerrinArt(const QString &perrinDir);

} // namespace artgen
