// Small maths helpers, our own seeded generator and hash noise. Nothing here
// uses the <random> distributions: their results differ between standard
// libraries, and every picture and sound must repeat byte for byte.
#pragma once

#include <cstdint>

namespace artgen {

constexpr double kPi = 3.14159265358979323846;

double clamp01(double v);
double smoothstep(double edge0, double edge1, double x);
double fract(double v);

// splitmix64: tiny, well mixed, and the same on every platform.
class Rng {
public:
    explicit Rng(uint64_t seed)
        : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

private:
    uint64_t state_;
};

uint32_t hash2(int x, int y, uint32_t seed);
double hashUnit(int x, int y, uint32_t seed);

// Fractal sum of gradient noise, mapped to about 0..1.
double fbm(double x, double y, uint32_t seed, int octaves = 4);

// Cellular noise: distances to the nearest two scattered points, used for
// cobbles, pebbles and leaf cells.
struct CellHit {
    double f1, f2;
    uint32_t id;
};

CellHit cells(double x, double y, uint32_t seed);

} // namespace artgen
