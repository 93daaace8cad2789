// The help's sample pictures, rendered from the real clock windows at a fixed time of day so that
// they always show what the clocks show.
#pragma once

#include <QString>

namespace vrim {

// Copies `data` (the installation's skins, sounds and helps) into a throwaway program folder,
// opens each sampled clock there offscreen on a fake clock, and writes its picture into `helps`
// (vrimsample.jpg, jolvexsample.gif, norvisample.jpg, Quenzsample.jpg, Mipsample.jpg) and the
// Lumbo bar into `art` (lumbocont.png and lumbocont@2x.png). Needs a QApplication. False when a
// picture could not be made; each file is reported on standard output.
bool renderSamples(const QString &data, const QString &helps, const QString &art);

} // namespace vrim
