#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

uint32_t mix32(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

// Gradient noise: smoother than value noise, so soft textures show no lattice.
double gradientNoise(double x, double y, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const double tx = x - fx, ty = y - fy;
    auto corner = [&](int cx, int cy, double dx, double dy) {
        const double a = hashUnit(ix + cx, iy + cy, seed) * 2.0 * kPi;
        return std::cos(a) * dx + std::sin(a) * dy;
    };
    auto fade = [](double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); };
    const double u = fade(tx), v = fade(ty);
    const double n00 = corner(0, 0, tx, ty), n10 = corner(1, 0, tx - 1, ty);
    const double n01 = corner(0, 1, tx, ty - 1), n11 = corner(1, 1, tx - 1, ty - 1);
    const double nx0 = n00 + (n10 - n00) * u, nx1 = n01 + (n11 - n01) * u;
    return nx0 + (nx1 - nx0) * v; // roughly -0.7 .. 0.7
}

} // namespace

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

double smoothstep(double edge0, double edge1, double x) {
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

double fract(double v) { return v - std::floor(v); }

uint32_t hash2(int x, int y, uint32_t seed) {
    return mix32(mix32(mix32(seed) ^ uint32_t(x)) ^ uint32_t(y) * 0x9E3779B9u);
}

double hashUnit(int x, int y, uint32_t seed) { return hash2(x, y, seed) / 4294967296.0; }

double fbm(double x, double y, uint32_t seed, int octaves) {
    double sum = 0.0, amp = 0.5, norm = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * gradientNoise(x, y, seed + uint32_t(i) * 101u);
        norm += amp;
        x = x * 2.03 + 17.1;
        y = y * 2.03 - 9.7;
        amp *= 0.5;
    }
    return clamp01(0.5 + 0.75 * sum / norm);
}

CellHit cells(double x, double y, uint32_t seed) {
    const int cx = int(std::floor(x)), cy = int(std::floor(y));
    CellHit hit{1e9, 1e9, 0};
    for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
            const int gx = cx + i, gy = cy + j;
            const double px = gx + 0.15 + 0.7 * hashUnit(gx, gy, seed);
            const double py = gy + 0.15 + 0.7 * hashUnit(gx, gy, seed ^ 0xA5A5u);
            const double d = std::hypot(x - px, y - py);
            if (d < hit.f1) {
                hit.f2 = hit.f1;
                hit.f1 = d;
                hit.id = hash2(gx, gy, seed ^ 0x5151u);
            } else if (d < hit.f2) {
                hit.f2 = d;
            }
        }
    }
    return hit;
}

} // namespace artgen
