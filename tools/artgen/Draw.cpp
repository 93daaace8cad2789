#include "Draw.h"

#include "Noise.h"

#include <array>
#include <cmath>

namespace artgen {

namespace {

template <typename Fn>
void eachPixel(QImage &img, Fn fn) {
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = (line[x] & 0xff000000u) | (pack(fn(x, y, unpack(line[x]))) & 0x00ffffffu);
    }
}

// Fine monochrome grain keeps flat areas from looking plastic and hides
// JPEG banding in gradients.
void addGrain(QImage &img, uint32_t seed, double amount) {
    eachPixel(img, [&](int x, int y, Rgb c) {
        const double n = (hashUnit(x, y, seed) - 0.5) * 2.0 * amount * 255.0;
        return c + Rgb{n, n, n};
    });
}

void vignette(QImage &img, double strength) {
    const double cx = img.width() * 0.5, cy = img.height() * 0.5;
    eachPixel(img, [&](int x, int y, Rgb c) {
        const double dx = (x + 0.5 - cx) / cx, dy = (y + 0.5 - cy) / cy;
        return c * (1.0 - strength * 0.5 * (dx * dx + dy * dy));
    });
}

} // namespace

Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator*(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }
Rgb mix(Rgb a, Rgb b, double t) { return a * (1.0 - t) + b * t; }

Rgb rgb(int r, int g, int b) { return {double(r), double(g), double(b)}; }

QRgb pack(Rgb c) {
    auto ch = [](double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); };
    return qRgb(ch(c.r), ch(c.g), ch(c.b));
}

Rgb unpack(QRgb p) { return {double(qRed(p)), double(qGreen(p)), double(qBlue(p))}; }

QColor qcol(Rgb c, int alpha) {
    QColor q = QColor::fromRgb(pack(c));
    q.setAlpha(alpha);
    return q;
}

Rgb ramp(const std::vector<Rgb> &stops, double t) {
    t = clamp01(t) * double(stops.size() - 1);
    const size_t i = std::min(size_t(t), stops.size() - 2);
    return mix(stops[i], stops[i + 1], t - double(i));
}

QImage render(QSize size, const Field &field) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = pack(field(x + 0.5, y + 0.5));
    }
    return img;
}

HeightMap makeHeight(QSize size, const std::function<double(double, double)> &fn) {
    HeightMap hm{size.width(), size.height(), {}};
    hm.v.reserve(size_t(hm.w) * size_t(hm.h));
    for (int y = 0; y < hm.h; ++y)
        for (int x = 0; x < hm.w; ++x)
            hm.v.push_back(fn(x + 0.5, y + 0.5));
    return hm;
}

void applyRelief(QImage &img, const HeightMap &hm, double strength) {
    const double len = std::sqrt(0.55 * 0.55 + 0.65 * 0.65 + 0.52 * 0.52);
    const double lx = -0.55 / len, ly = -0.65 / len, lz = 0.52 / len;
    eachPixel(img, [&](int x, int y, Rgb c) {
        const double dx = 0.5 * (hm.at(x + 1, y) - hm.at(x - 1, y));
        const double dy = 0.5 * (hm.at(x, y + 1) - hm.at(x, y - 1));
        const double n = std::sqrt(dx * dx + dy * dy + 1.0);
        const double lit = (-dx * lx - dy * ly + lz) / n - lz;
        const double d = strength * lit;
        // Highlights go towards white rather than brighter hue, as real sheen does.
        return d > 0 ? mix(c, kWhite, std::min(d * 0.8, 0.85)) : c * std::max(0.0, 1.0 + d);
    });
}

void bevel(QImage &img, double width, double strength) {
    const double w = img.width(), h = img.height();
    const HeightMap plateau = makeHeight(img.size(), [&](double x, double y) {
        const double d = std::min({x, y, w - x, h - y});
        return width * smoothstep(0.0, width, d);
    });
    applyRelief(img, plateau, strength);
}

void finishSkin(QImage &img, uint32_t seed, double bevelWidth, double bevelStrength) {
    vignette(img, 0.12);
    bevel(img, bevelWidth, bevelStrength);
    addGrain(img, seed ^ 0x6A6Au, 0.012);
}

QImage blurred(const QImage &src, int radius) {
    QImage img = src.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = img.width(), h = img.height();
    std::vector<std::array<int, 4>> buf(size_t(std::max(w, h)));
    auto pass = [&](bool horizontal) {
        const int lines = horizontal ? h : w, len = horizontal ? w : h;
        for (int l = 0; l < lines; ++l) {
            auto px = [&](int i) -> QRgb & {
                return horizontal ? reinterpret_cast<QRgb *>(img.scanLine(l))[i]
                                  : reinterpret_cast<QRgb *>(img.scanLine(i))[l];
            };
            for (int i = 0; i < len; ++i) {
                const QRgb p = px(i);
                buf[size_t(i)] = {qRed(p), qGreen(p), qBlue(p), qAlpha(p)};
            }
            for (int i = 0; i < len; ++i) {
                std::array<int, 4> s{0, 0, 0, 0};
                for (int k = -radius; k <= radius; ++k) {
                    const auto &b = buf[size_t(std::clamp(i + k, 0, len - 1))];
                    for (int c = 0; c < 4; ++c)
                        s[size_t(c)] += b[size_t(c)];
                }
                const int n = 2 * radius + 1;
                px(i) = qRgba(s[0] / n, s[1] / n, s[2] / n, s[3] / n);
            }
        }
    };
    for (int i = 0; i < 3; ++i) {
        pass(true);
        pass(false);
    }
    return img;
}

} // namespace artgen
