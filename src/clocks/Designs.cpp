#include "clocks/Designs.h"

#include "clocks/dov/DovClock.h"
#include "clocks/jolvex/JolvexClock.h"
#include "clocks/lumbo/LumboClock.h"
#include "clocks/mip/MipClock.h"
#include "clocks/norvi/NorviClock.h"
#include "clocks/perrin/PerrinClock.h"
#include "clocks/quenz/QuenzClock.h"
#include "clocks/vrimcolor/VrimcolorClock.h"

#include <vector>

namespace vrim {
namespace {

// The one place that lists the designs' cards: a design without a line here does not build.
DesignCard cardFor(Design design)
{
    switch (design) {
    case Design::Dov:
        return DovClock::card();
    case Design::Norvi:
        return NorviClock::card();
    case Design::Quenz:
        return QuenzClock::card();
    case Design::Perrin:
        return PerrinClock::card();
    case Design::Jolvex:
        return JolvexClock::card();
    case Design::Vrimcolor:
        return VrimcolorClock::card();
    case Design::Mip:
        return MipClock::card();
    case Design::Lumbo:
        return LumboClock::card();
    }
    Q_UNREACHABLE();
    return {};
}

const std::vector<DesignCard> &cards()
{
    static const std::vector<DesignCard> all = [] {
        std::vector<DesignCard> made;
        for (const Design design : AllDesigns) {
            DesignCard card = cardFor(design);
            if (card.design != design || card.frame.design != design ||
                (card.skinManager && card.skinManager->design != design))
                qFatal("The card of design %d names another design", int(design));
            card.launcher.design = design;
            card.launcher.target = card.frame.window;
            made.push_back(std::move(card));
        }
        return made;
    }();
    return all;
}

} // namespace

const DesignCard &cardOf(Design design) { return cards()[size_t(design)]; }

// What the layers below look up by design, answered from the cards.

QString windowOf(Design design) { return cardOf(design).frame.window; }

QString designName(Design design) { return cardOf(design).name; }

const DesignFiles *filesOf(Design design)
{
    const auto &files = cardOf(design).files;
    return files ? &*files : nullptr;
}

const ChimeDesign &chime::of(Design design) { return cardOf(design).chime; }

const LauncherEntry &launcher::clockEntry(Design design) { return cardOf(design).launcher; }

std::span<const SkinManagerDesign> skinmanager::all()
{
    static const std::vector<SkinManagerDesign> rows = [] {
        std::vector<SkinManagerDesign> made;
        for (const DesignCard &card : cards())
            if (card.skinManager)
                made.push_back(*card.skinManager);
        return made;
    }();
    return rows;
}

const FrameDesign &frame::of(Design design) { return cardOf(design).frame; }

} // namespace vrim
