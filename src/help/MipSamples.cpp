#include "help/MipSamples.h"

#include <cmath>

namespace vrim {

QPoint MipSamples::place(int n, QSize outer)
{
    const double w = outer.width(), h = outer.height();
    double left = w / 4, top = h / 6;
    switch (n) {
    case 1:
    case 2:
    case 4:
    case 5:
    case 7:
        left = w / 3, top = h / 5 + 50;
        break;
    case 3:
        left += 140, top += 30;
        break;
    case 6:
        left += 100, top -= 10;
        break;
    case 8:
    case 9:
    case 11:
        top -= 40;
        break;
    case 10:
        left += 120, top += 110;
        break;
    case 12:
        left += 30;
        break;
    default:
        break;
    }
    return {int(std::lround(left)), int(std::lround(top))};
}

QString MipSamples::picture(int n)
{
    return QStringLiteral(":/mip/hour-%1.png").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace vrim
