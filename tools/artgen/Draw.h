// Colours, and the whole-picture operations every drawing is built from.
#pragma once

#include <QColor>
#include <QImage>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace artgen {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb operator+(Rgb a, Rgb b);
Rgb operator*(Rgb c, double k);
Rgb mix(Rgb a, Rgb b, double t);
constexpr Rgb kWhite{255, 255, 255};
Rgb rgb(int r, int g, int b);

QRgb pack(Rgb c);
Rgb unpack(QRgb p);
QColor qcol(Rgb c, int alpha = 255);

// Evenly spaced colour stops, t in 0..1.
Rgb ramp(const std::vector<Rgb> &stops, double t);

using Field = std::function<Rgb(double x, double y)>;

// Evaluates a colour field at every pixel centre.
QImage render(QSize size, const Field &field);

// Heights are in pixels, so a slope of 1 is a 45 degree face.
struct HeightMap {
    int w = 0, h = 0;
    std::vector<double> v;
    double at(int x, int y) const {
        return v[size_t(std::clamp(y, 0, h - 1)) * size_t(w) + size_t(std::clamp(x, 0, w - 1))];
    }
};

HeightMap makeHeight(QSize size, const std::function<double(double, double)> &fn);

// Lights a height field from the upper left, the convention every desktop
// bevel follows, so our 3D looks match the controls drawn on top.
void applyRelief(QImage &img, const HeightMap &hm, double strength);

// A raised plateau whose slopes become the bevel when lit.
void bevel(QImage &img, double width, double strength);

// The finishing every skin shares: an edge bevel so it reads as a 3D plate,
// a little vignette to settle the eye on the middle, and grain.
void finishSkin(QImage &img, uint32_t seed, double bevelWidth, double bevelStrength);

// Three box blurs approximate a gaussian; used for soft shadows.
QImage blurred(const QImage &src, int radius);

} // namespace artgen
