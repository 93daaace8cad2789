#include "clocks/Face.h"

#include <algorithm>

namespace vrim {

std::vector<int> Face::changed(const Face &before, const Face &after)
{
    std::vector<int> controls;
    const int count = std::min(before.size(), after.size());
    for (int i = 0; i < count; ++i)
        if (!(before[i] == after[i]))
            controls.push_back(i);
    return controls;
}

} // namespace vrim
