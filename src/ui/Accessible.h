#pragma once

#include <QString>

namespace vrim {

// How the program's own controls show themselves to assistive technology (screen readers on the
// desktop's accessibility bus). Nothing here runs while no such technology listens.
namespace accessible {

// Registers the program's interfaces with Qt's accessibility, once.
void install();

// True while an assistive technology listens: only then are texts built and changes told.
bool listening();

// A colour as words a screen reader can say ("green", "dark red").
QString colourWords(int red, int green, int blue);

} // namespace accessible

} // namespace vrim
