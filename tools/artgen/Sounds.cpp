#include "Sounds.h"

#include "Noise.h"
#include "Writers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace artgen {

namespace {

Wave blank(double seconds) { return Wave(size_t(std::lround(seconds * kRate)), 0.0); }

// A decaying sine partial: the building block of bells, bars and wood.
void addPartial(Wave &w, double start, double freq, double amp, double decay,
                double attack = 0.002) {
    const size_t first = size_t(std::lround(start * kRate));
    for (size_t i = first; i < w.size(); ++i) {
        const double t = double(i - first) / kRate;
        const double rise = t < attack ? std::pow(std::sin(0.5 * kPi * t / attack), 2) : 1.0;
        const double env = amp * rise * std::exp(-t / decay);
        if (t > attack && env < amp * 1e-4)
            break;
        w[i] += env * std::sin(2.0 * kPi * freq * t);
    }
}

// Short filtered noise: the knock of a mallet or stick.
void addClick(Wave &w, double start, uint32_t seed, double amp, double decay) {
    const size_t first = size_t(std::lround(start * kRate));
    double low = 0.0;
    for (size_t i = first; i < w.size() && i < first + size_t(kRate * decay * 8); ++i) {
        const double t = double(i - first) / kRate;
        const double noise = hashUnit(int(i), 0, seed) * 2.0 - 1.0;
        low += 0.35 * (noise - low); // a gentle low-pass takes the hiss off
        w[i] += amp * low * std::exp(-t / decay);
    }
}

double resonance(double f, double centre, double width) {
    const double x = (f - centre) / (0.5 * width);
    return 1.0 / (1.0 + x * x);
}

struct Vowel {
    double f1, f2, f3;
};

Vowel blend(Vowel a, Vowel b, double t) {
    return {a.f1 + (b.f1 - a.f1) * t, a.f2 + (b.f2 - a.f2) * t, a.f3 + (b.f3 - a.f3) * t};
}

// Glides through vowels given as (time, vowel) keys.
Vowel vowelAt(const std::vector<std::pair<double, Vowel>> &keys, double t) {
    if (t <= keys.front().first)
        return keys.front().second;
    for (size_t i = 1; i < keys.size(); ++i)
        if (t < keys[i].first)
            return blend(keys[i - 1].second, keys[i].second,
                         smoothstep(keys[i - 1].first, keys[i].first, t));
    return keys.back().second;
}

// A sung tone: harmonics of the pitch, each weighted by the vowel's formant
// curve at its frequency. Additive rather than filtered, so glides are smooth.
// `nasal` (0..1 over time) adds the low nasal murmur and the dip near 1 kHz.
void sing(Wave &w, const std::function<double(double)> &pitch,
          const std::function<Vowel(double)> &vowel, const std::function<double(double)> &loudness,
          const std::function<double(double)> &nasal) {
    double phase = 0.0;
    for (size_t i = 0; i < w.size(); ++i) {
        const double t = double(i) / kRate;
        const double f0 =
            pitch(t) * (1.0 + 0.008 * smoothstep(0.2, 0.5, t) * std::sin(2.0 * kPi * 5.2 * t));
        phase += 2.0 * kPi * f0 / kRate;
        const Vowel v = vowel(t);
        const double n = nasal(t);
        double s = 0.0;
        for (int k = 1; k * f0 < 5000.0; ++k) {
            const double f = k * f0;
            // Harmonics fade out towards the top instead of popping in and
            // out of range while the pitch glides.
            double a = 1.0 - smoothstep(3800.0, 5000.0, f);
            a *= resonance(f, v.f1, 110) + 0.5 * resonance(f, v.f2, 150) +
                 0.3 * resonance(f, v.f3, 200);
            a = a * (1.0 - 0.8 * n * resonance(f, 1000, 350)) + 0.9 * n * resonance(f, 260, 120);
            s += a / std::sqrt(double(k)) * std::sin(k * phase);
        }
        w[i] += loudness(t) * s;
    }
}

// Rise, fall and release shape shared by the sustained chimes.
double swell(double t, double length, double attack, double release) {
    if (t < 0 || t > length)
        return 0.0;
    return smoothstep(0.0, attack, t) * (1.0 - smoothstep(length - release, length, t));
}

// Normalises to a safe peak and fades both ends so playback never clicks.
void finishWave(Wave &w, double peakDb = -1.5) {
    double peak = 1e-9;
    for (double s : w)
        peak = std::max(peak, std::abs(s));
    const double gain = std::pow(10.0, peakDb / 20.0) / peak;
    const size_t fadeIn = size_t(0.004 * kRate), fadeOut = size_t(0.04 * kRate);
    for (size_t i = 0; i < w.size(); ++i) {
        double f = 1.0;
        if (i < fadeIn)
            f = std::pow(std::sin(0.5 * kPi * double(i) / double(fadeIn)), 2);
        const size_t fromEnd = w.size() - 1 - i;
        if (fromEnd < fadeOut)
            f *= std::pow(std::sin(0.5 * kPi * double(fromEnd) / double(fadeOut)), 2);
        w[i] *= gain * f;
    }
}

const Vowel kEe{280, 2250, 2900}, kAh{760, 1220, 2500}, kOo{320, 820, 2300}, kNn{260, 1400, 2600};

// Two soft buzzing tones, high then low, with a slow flutter.
Wave chimeBzz() {
    Wave w = blank(1.3);
    auto tone = [&](double start, double length, double f0) {
        for (size_t i = size_t(start * kRate); i < w.size(); ++i) {
            const double t = double(i) / kRate - start;
            const double env = swell(t, length, 0.03, 0.25) * std::exp(-t / 0.9);
            if (env <= 0.0)
                continue;
            const double flutter = 1.0 - 0.22 * (0.5 + 0.5 * std::sin(2.0 * kPi * 31.0 * t));
            double s = 0.0;
            for (int k = 1; k * f0 < 6000.0; ++k)
                s += std::sin(2.0 * kPi * k * f0 * t) / std::pow(k, 1.1) /
                     (1.0 + std::pow(k * f0 / 2200.0, 2));
            w[i] += env * flutter * s;
        }
    };
    tone(0.0, 0.62, 494.0);
    tone(0.55, 0.75, 392.0);
    finishWave(w);
    return w;
}

// "ee-ah-oo", falling slightly in pitch.
Wave chimeIauu() {
    Wave w = blank(1.6);
    const std::vector<std::pair<double, Vowel>> keys = {
        {0.15, kEe}, {0.55, kAh}, {0.85, kAh}, {1.25, kOo}};
    sing(
        w, [](double t) { return 330.0 - 50.0 * smoothstep(0.1, 1.4, t); },
        [&](double t) { return vowelAt(keys, t); },
        [](double t) { return swell(t, 1.6, 0.06, 0.35); }, [](double) { return 0.0; });
    finishWave(w);
    return w;
}

// "nee-aah", nasal, rising.
Wave chimeNiaa() {
    Wave w = blank(1.5);
    const std::vector<std::pair<double, Vowel>> keys = {
        {0.12, kNn}, {0.26, kEe}, {0.45, kEe}, {0.8, kAh}};
    sing(
        w, [](double t) { return 210.0 + 110.0 * smoothstep(0.15, 1.0, t); },
        [&](double t) { return vowelAt(keys, t); },
        [](double t) { return swell(t, 1.5, 0.05, 0.3) * (0.55 + 0.45 * smoothstep(0.1, 0.3, t)); },
        [](double t) { return 1.0 - 0.55 * smoothstep(0.12, 0.35, t); });
    finishWave(w);
    return w;
}

// A small church-like bell: inharmonic partials that die away at different rates.
Wave chimeKlong() {
    Wave w = blank(1.95);
    const double base = 620.0;
    const std::vector<std::array<double, 3>> partials = {
        {0.56, 1.0, 1.0},   {0.563, 0.67, 0.9}, {0.92, 1.0, 0.65},  {0.923, 1.8, 0.55},
        {1.19, 2.67, 0.33}, {1.7, 1.67, 0.35},  {2.0, 1.46, 0.25},  {2.74, 1.33, 0.2},
        {3.0, 1.33, 0.15},  {3.76, 1.0, 0.1},   {4.07, 1.33, 0.075}};
    for (const auto &[ratio, amp, life] : partials)
        addPartial(w, 0.0, base * ratio, amp, 0.5 * life, 0.003);
    finishWave(w);
    return w;
}

// Two wooden tocks, the second lower, like a clock's tick-tock.
Wave chimeToktok() {
    Wave w = blank(0.75);
    auto tock = [&](double start, double f) {
        addPartial(w, start, f, 1.0, 0.045, 0.001);
        addPartial(w, start, f * 2.71, 0.45, 0.022, 0.001);
        addPartial(w, start, f * 5.3, 0.2, 0.01, 0.001);
        addClick(w, start, uint32_t(f), 0.5, 0.003);
    };
    tock(0.01, 1040.0);
    tock(0.34, 780.0);
    finishWave(w);
    return w;
}

// Three rising marimba notes; bars have partials near 1 : 4 : 10.
Wave chimeMarimbi() {
    Wave w = blank(1.7);
    auto note = [&](double start, double f) {
        addPartial(w, start, f, 1.0, 0.42, 0.004);
        addPartial(w, start, f * 3.93, 0.3, 0.08, 0.002);
        addPartial(w, start, f * 9.2, 0.08, 0.025, 0.001);
        addClick(w, start, uint32_t(f * 3), 0.12, 0.002);
    };
    note(0.02, 523.25);
    note(0.30, 659.26);
    note(0.58, 783.99);
    finishWave(w);
    return w;
}

// Two glassy pings made with frequency modulation whose brightness fades.
Wave chimePling() {
    Wave w = blank(1.5);
    auto ping = [&](double start, double fc) {
        for (size_t i = size_t(start * kRate); i < w.size(); ++i) {
            const double t = double(i) / kRate - start;
            // Kept modest so no sideband reaches the Nyquist limit and folds back.
            const double index = 1.6 * std::exp(-t / 0.12);
            const double mod = index * std::sin(2.0 * kPi * fc * 1.41 * t);
            const double rise = smoothstep(0.0, 0.003, t);
            w[i] += rise * std::exp(-t / 0.35) * std::sin(2.0 * kPi * fc * t + mod);
        }
    };
    ping(0.0, 1046.5);
    ping(0.24, 1318.5);
    finishWave(w);
    return w;
}

} // namespace

void makeSounds(const QString &dataDir) {
    const std::vector<std::pair<const char *, std::function<Wave()>>> chimes = {
        {"bzz.wav", chimeBzz},     {"iauu.wav", chimeIauu},     {"niaa.wav", chimeNiaa},
        {"klong.wav", chimeKlong}, {"toktok.wav", chimeToktok}, {"marimbi.wav", chimeMarimbi},
        {"pling.wav", chimePling},
    };
    for (const auto &[name, make] : chimes)
        saveWav(dataDir + "/Sounds/" + name, make());
}

} // namespace artgen
