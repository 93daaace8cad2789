#include "clocks/perrin/PerrinClock.h"

#include "clocks/DesignCard.h"

namespace vrim {

// Everything that makes Perrin what it is beyond its face and its clock.
DesignCard PerrinClock::card()
{
    using Step = FrameStep;
    using T = ControlTrigger;
    using namespace frame;
    DesignCard card{.design = Design::Perrin, .name = QStringLiteral("Perrin")};
    card.frame = {.design = Design::Perrin,
                  .window = window::Perrin,
                  .twips = {9855, 6090, 3495, 3000},
                  .moveHandle = perrin::control::HotSpot,
                  .onTopButton = perrin::control::Minutes,
                  .quitControl = perrin::control::HotSpot,
                  .onTopOn = rgbValue(229, 255, 231),
                  .onTopOff = rgbValue(255, 255, 255),
                  .quitTrigger = T{T::DoubleClick},
                  .quitSteps = {Step::Unload, Step::ShowLauncher},
                  .closeShowsLauncher = true,
                  .hasPlayer = false};
    card.launcher = launcher::clockBar(4215, rgbValue(192, 192, 255), "Perrin", vrim::Gesture::Click);
    card.make = [](const ClockContext &context) { return std::make_unique<PerrinClock>(context); };
    return card;
}

} // namespace vrim
