#include "clocks/lumbo/LumboClock.h"

#include "clocks/DesignCard.h"

namespace vrim {

// Everything that makes Lumbo what it is beyond its face and its clock.
DesignCard LumboClock::card()
{
    using Step = FrameStep;
    using T = ControlTrigger;
    using namespace frame;
    DesignCard card{.design = Design::Lumbo, .name = QStringLiteral("Lumbo")};
    card.frame = {.design = Design::Lumbo,
                  .window = window::Lumbo,
                  .caption = QStringLiteral("lum-bo"),
                  .twips = {1515, 510, 9000, 975},
                  .moveHandle = lumbo::control::Move,
                  .onTopButton = lumbo::control::OnTop,
                  .menuButton = lumbo::control::Preferences,
                  .quitControl = lumbo::control::Quit,
                  .onTopOn = LightGreen,
                  .onTopOff = Red,
                  .menuTrigger = {T::Click}, // its Preferences button opens the Skin Manager directly
                  .quitTrigger = T{T::Down},
                  .quitSteps = {Step::ShowLauncher, Step::Unload},
                  .paintedAtLoad = {{lumbo::control::Move, LightGreen}},
                  .skinManager = QStringLiteral("lumbopreffrm")};
    card.launcher = launcher::clockBar(1010, rgbValue(255, 128, 0), "lumbo");
    card.make = [](const ClockContext &context) { return std::make_unique<LumboClock>(context); };
    return card;
}

} // namespace vrim
