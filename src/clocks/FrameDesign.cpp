#include "clocks/FrameDesign.h"

namespace vrim::frame {

const FrameDesign *find(const QString &window)
{
    for (const FrameDesign &design : all())
        if (design.window == window)
            return &design;
    return nullptr;
}

} // namespace vrim::frame
