#pragma once

#include "base/Design.h"
#include "clocks/FrameDesign.h"
#include "settings/ChimeRules.h"
#include "settings/DesignFiles.h"
#include "settings/SkinManagerModel.h"
#include "shell/LauncherModel.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace vrim {

class Clock;
struct ClockContext;

// Everything that makes one design what it is, beyond its face and its clock: declared in the
// design's own folder (clocks/<design>/<Design>Card.cpp) and looked up by its key through the
// table of designs (Designs.h), which also answers the lookups of the layers below.
struct DesignCard {
    Design design;
    QString name; // in words: "Dov"
    FrameDesign frame;
    ChimeDesign chime;
    std::optional<DesignFiles> files;             // none: no skin or sound file
    std::optional<SkinManagerDesign> skinManager; // none: no Skin Manager of the family
    LauncherEntry launcher;
    // What the window shows in place of a picture it cannot show, by picture slot, in the words
    // of its message (untranslated, marked for the window's context).
    std::array<const char *, 2> withoutPicture{};
    // An empty picture path keeps the picture the window shows; otherwise it clears it.
    bool keepsPictureOnEmptyPath = false;
    std::function<std::unique_ptr<Clock>(const ClockContext &)> make;
};

} // namespace vrim
