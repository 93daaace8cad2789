// The Mip clock's pictures: each number is a shape with that many corners or
// points, so the time can be read by counting.
#pragma once

#include <QString>

namespace artgen {

// Hour shapes 1..12 and digits 0..9, each also at twice the size, written as
// PNG into mipDir with a Qt resource list; the zero also as a GIF for help.
void makeMipArt(const QString &mipDir, const QString &zeroGifPath);

} // namespace artgen
