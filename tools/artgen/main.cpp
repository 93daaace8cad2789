// vrim_artgen: draws every skin and program picture of Vrim Clocks and
// synthesises its chimes.
//
//   vrim_artgen <outdir-data> <outdir-shellart>
//
// Output is meant to be byte-for-byte repeatable, so all randomness comes
// from our own seeded generator and hash noise; the <random> distributions
// are avoided because their results differ between standard libraries.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

double smoothstep(double edge0, double edge1, double x) {
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

double fract(double v) {
    return v - std::floor(v);
}

// ---------------------------------------------------------------------------
// Randomness
// ---------------------------------------------------------------------------

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

uint32_t mix32(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

uint32_t hash2(int x, int y, uint32_t seed) {
    return mix32(mix32(mix32(seed) ^ uint32_t(x)) ^ uint32_t(y) * 0x9E3779B9u);
}

double hashUnit(int x, int y, uint32_t seed) {
    return hash2(x, y, seed) / 4294967296.0;
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

// Fractal sum of gradient noise, mapped to about 0..1.
double fbm(double x, double y, uint32_t seed, int octaves = 4) {
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

// Cellular noise: distances to the nearest two scattered points, used for
// cobbles, pebbles and leaf cells.
struct CellHit {
    double f1, f2;
    uint32_t id;
};

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

// ---------------------------------------------------------------------------
// Colour and image helpers
// ---------------------------------------------------------------------------

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Rgb operator*(Rgb c, double k) {
    return {c.r * k, c.g * k, c.b * k};
}
Rgb mix(Rgb a, Rgb b, double t) {
    return a * (1.0 - t) + b * t;
}
constexpr Rgb kWhite{255, 255, 255};

QRgb pack(Rgb c) {
    auto ch = [](double v) { return int(std::lround(std::clamp(v, 0.0, 255.0))); };
    return qRgb(ch(c.r), ch(c.g), ch(c.b));
}

Rgb unpack(QRgb p) {
    return {double(qRed(p)), double(qGreen(p)), double(qBlue(p))};
}

QColor qcol(Rgb c, int alpha = 255) {
    QColor q = QColor::fromRgb(pack(c));
    q.setAlpha(alpha);
    return q;
}

// Evenly spaced colour stops, t in 0..1.
Rgb ramp(const std::vector<Rgb> &stops, double t) {
    t = clamp01(t) * double(stops.size() - 1);
    const size_t i = std::min(size_t(t), stops.size() - 2);
    return mix(stops[i], stops[i + 1], t - double(i));
}

using Field = std::function<Rgb(double x, double y)>;

// Evaluates a colour field at every pixel centre.
QImage render(QSize size, const Field &field) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = pack(field(x + 0.5, y + 0.5));
    }
    return img;
}

template <typename Fn> void eachPixel(QImage &img, Fn fn) {
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = (line[x] & 0xff000000u) | (pack(fn(x, y, unpack(line[x]))) & 0x00ffffffu);
    }
}

// Heights are in pixels, so a slope of 1 is a 45 degree face.
struct HeightMap {
    int w = 0, h = 0;
    std::vector<double> v;
    double at(int x, int y) const {
        return v[size_t(std::clamp(y, 0, h - 1)) * size_t(w) + size_t(std::clamp(x, 0, w - 1))];
    }
};

HeightMap makeHeight(QSize size, const std::function<double(double, double)> &fn) {
    HeightMap hm{size.width(), size.height(), {}};
    hm.v.reserve(size_t(hm.w) * size_t(hm.h));
    for (int y = 0; y < hm.h; ++y)
        for (int x = 0; x < hm.w; ++x)
            hm.v.push_back(fn(x + 0.5, y + 0.5));
    return hm;
}

// Lights a height field from the upper left, the convention every desktop
// bevel follows, so our 3D looks match the controls drawn on top.
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

// A raised plateau whose slopes become the bevel when lit.
void bevel(QImage &img, double width, double strength) {
    const double w = img.width(), h = img.height();
    const HeightMap plateau = makeHeight(img.size(), [&](double x, double y) {
        const double d = std::min({x, y, w - x, h - y});
        return width * smoothstep(0.0, width, d);
    });
    applyRelief(img, plateau, strength);
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

// The finishing every skin shares: an edge bevel so it reads as a 3D plate,
// a little vignette to settle the eye on the middle, and grain.
void finishSkin(QImage &img, uint32_t seed, double bevelWidth, double bevelStrength) {
    vignette(img, 0.12);
    bevel(img, bevelWidth, bevelStrength);
    addGrain(img, seed ^ 0x6A6Au, 0.012);
}

// Three box blurs approximate a gaussian; used for soft shadows.
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

// ---------------------------------------------------------------------------
// Writers
// ---------------------------------------------------------------------------

int g_failures = 0;

void report(const QString &path, bool ok, const QString &what) {
    std::printf("%s %-40s %s\n", ok ? "wrote" : "FAILED",
                qPrintable(QDir::current().relativeFilePath(path)), qPrintable(what));
    if (!ok)
        ++g_failures;
}

bool ensureDir(const QString &filePath) {
    return QDir().mkpath(QFileInfo(filePath).absolutePath());
}

void saveImage(const QString &path, const QImage &img) {
    ensureDir(path);
    const QString suffix = QFileInfo(path).suffix().toLower();
    QImageWriter writer(path, suffix == "jpg" ? "jpeg" : suffix.toLatin1());
    if (suffix == "jpg")
        writer.setQuality(90);
    const bool ok = writer.write(img);
    report(path, ok,
           ok ? QString("%1x%2").arg(img.width()).arg(img.height()) : writer.errorString());
}

void putLe(std::string &out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(char((v >> (8 * i)) & 0xff));
}

bool writeBytes(const QString &path, const std::string &bytes) {
    ensureDir(path);
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

// Qt reads GIF but cannot write it, so the GIF skin is LZW-encoded here. The
// picture must use at most 256 exact colours; we draw it that way rather
// than dithering.
void saveGif(const QString &path, const QImage &img) {
    std::map<QRgb, int> index;
    std::vector<QRgb> palette;
    std::vector<int> pixels;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y) | 0xff000000u;
            auto [it, fresh] = index.emplace(c, int(palette.size()));
            if (fresh)
                palette.push_back(c);
            pixels.push_back(it->second);
        }
    }
    if (palette.size() > 256) {
        report(path, false, QString("%1 colours, GIF holds 256").arg(palette.size()));
        return;
    }
    int bits = 1;
    while ((1u << bits) < palette.size())
        ++bits;
    const int minCode = std::max(2, bits);

    std::string out = "GIF89a";
    putLe(out, uint32_t(img.width()), 2);
    putLe(out, uint32_t(img.height()), 2);
    out.push_back(char(0x80 | 0x70 | (bits - 1))); // global table, 8-bit colour resolution
    out.push_back(0);                              // background colour index
    out.push_back(0);                              // square pixels
    for (int i = 0; i < (1 << bits); ++i) {
        const QRgb c = i < int(palette.size()) ? palette[size_t(i)] : 0;
        out.push_back(char(qRed(c)));
        out.push_back(char(qGreen(c)));
        out.push_back(char(qBlue(c)));
    }
    out.push_back(0x2c);
    putLe(out, 0, 2);
    putLe(out, 0, 2);
    putLe(out, uint32_t(img.width()), 2);
    putLe(out, uint32_t(img.height()), 2);
    out.push_back(0);
    out.push_back(char(minCode));

    // LZW, codes packed least significant bit first.
    std::string data;
    uint32_t acc = 0;
    int accBits = 0;
    auto put = [&](int code, int size) {
        acc |= uint32_t(code) << accBits;
        accBits += size;
        while (accBits >= 8) {
            data.push_back(char(acc & 0xff));
            acc >>= 8;
            accBits -= 8;
        }
    };
    const int clearCode = 1 << minCode, endCode = clearCode + 1;
    std::unordered_map<uint32_t, int> dict;
    int codeSize = minCode + 1, nextCode = endCode + 1;
    bool justCleared = true;
    put(clearCode, codeSize);
    int cur = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
        const uint32_t key = (uint32_t(cur) << 8) | uint32_t(pixels[i]);
        if (auto it = dict.find(key); it != dict.end()) {
            cur = it->second;
            continue;
        }
        put(cur, codeSize);
        justCleared = false;
        const int added = nextCode++;
        dict.emplace(key, added);
        if (added >= (1 << codeSize))
            ++codeSize;
        if (added == 4095) { // table full: start afresh
            put(clearCode, codeSize);
            dict.clear();
            codeSize = minCode + 1;
            nextCode = endCode + 1;
            justCleared = true;
        }
        cur = pixels[i];
    }
    put(cur, codeSize);
    // The decoder adds one more entry after the last code and may widen its
    // codes before it reads the end code; follow it.
    if (!justCleared && nextCode + 1 == (1 << codeSize) && codeSize < 12)
        ++codeSize;
    put(endCode, codeSize);
    if (accBits > 0)
        data.push_back(char(acc & 0xff));
    for (size_t i = 0; i < data.size(); i += 255) {
        const size_t n = std::min<size_t>(255, data.size() - i);
        out.push_back(char(n));
        out.append(data, i, n);
    }
    out.push_back(0);
    out.push_back(0x3b);
    const bool ok = writeBytes(path, out);
    report(path, ok,
           QString("%1x%2, %3 colours").arg(img.width()).arg(img.height()).arg(palette.size()));
}

// ---------------------------------------------------------------------------
// Skins: one function per look, each painted for any size
// ---------------------------------------------------------------------------

Rgb rgb(int r, int g, int b) {
    return {double(r), double(g), double(b)};
}

// Calm two-tone gradient with faint cloudiness and a shallow round dish in
// the middle, so a clock face sits in a hollow.
QImage dishSkin(QSize size, uint32_t seed, Rgb top, Rgb bottom, Rgb glow) {
    const double w = size.width(), h = size.height();
    QImage img = render(size, [&](double x, double y) {
        Rgb c = mix(top, bottom, y / h);
        c = c * (0.93 + 0.14 * fbm(x / 26.0, y / 26.0, seed, 4));
        const double dx = (x - w * 0.5) / w, dy = (y - h * 0.38) / h;
        return mix(c, glow, 0.28 * std::exp(-(dx * dx + dy * dy) * 7.0));
    });
    const double r = std::min(w, h) * 0.44;
    applyRelief(img,
                makeHeight(size,
                           [&](double x, double y) {
                               return -2.5 * (1.0 - smoothstep(r - 3.0, r + 3.0,
                                                               std::hypot(x - w / 2, y - h / 2)));
                           }),
                0.55);
    finishSkin(img, seed, 4.5, 1.0);
    return img;
}

// Sky gradient with soft drifting clouds.
QImage cloudSkin(QSize size, uint32_t seed, Rgb top, Rgb bottom, Rgb cloud) {
    const double h = size.height();
    QImage img = render(size, [&](double x, double y) {
        const Rgb sky = mix(top, bottom, y / h);
        const double n = fbm(x / 38.0, y / 20.0, seed, 5);
        return mix(sky, cloud, 0.55 * smoothstep(0.45, 0.78, n));
    });
    finishSkin(img, seed, 4.0, 0.9);
    return img;
}

// Rough, gently undulating ground such as earth or fired clay.
QImage roughSkin(QSize size, uint32_t seed, const std::vector<Rgb> &colours, double scale,
                 double depth, double relief) {
    QImage img = render(size, [&](double x, double y) {
        const double t = fbm(x / (scale * 1.7), y / (scale * 1.7), seed + 7, 4);
        return ramp(colours, 0.15 + 0.7 * t);
    });
    applyRelief(img,
                makeHeight(size,
                           [&](double x, double y) {
                               return depth *
                                      (fbm(x / scale, y / scale, seed, 5) +
                                       0.6 * fbm(x / (scale * 4), y / (scale * 4), seed + 3, 2));
                           }),
                relief);
    finishSkin(img, seed, 4.0, 1.0);
    return img;
}

// Rounded stones set in darker mortar: the buttoned rock look.
QImage cobbleSkin(QSize size, uint32_t seed, const std::vector<Rgb> &colours, Rgb mortar,
                  double cell) {
    auto stone = [&](double x, double y) { return cells(x / cell, y / cell * 1.1, seed); };
    QImage img = render(size, [&](double x, double y) {
        const CellHit c = stone(x, y);
        const double tone = (c.id % 1000) / 1000.0;
        const Rgb s =
            ramp(colours, 0.2 + 0.6 * tone + 0.25 * (fbm(x / 5.0, y / 5.0, seed + 1, 3) - 0.5));
        return mix(mortar, s, smoothstep(0.02, 0.12, c.f2 - c.f1));
    });
    applyRelief(img,
                makeHeight(size,
                           [&](double x, double y) {
                               const CellHit c = stone(x, y);
                               const double edge = clamp01((c.f2 - c.f1) / 0.45);
                               const double crown =
                                   1.0 - 0.5 * c.f1 * c.f1; // a dome, like a button
                               return cell * 0.35 * std::sqrt(edge) * crown +
                                      0.8 * fbm(x / 3.0, y / 3.0, seed + 2, 2);
                           }),
                0.9);
    finishSkin(img, seed, 4.0, 1.1);
    return img;
}

// A soft square cushion with a glossy top-left sheen, for small centre boxes.
QImage cushionSkin(QSize size, uint32_t seed, Rgb dark, Rgb mid, Rgb light) {
    const double w = size.width(), h = size.height();
    QImage img = render(size, [&](double x, double y) {
        const double u = x / w, v = y / h;
        const double sheen = std::exp(-(std::pow(u - 0.34, 2) + std::pow(v - 0.3, 2)) * 9.0);
        const double t =
            0.45 * (1.0 - 0.5 * (u + v)) + 0.15 * fbm(x / 9.0, y / 9.0, seed, 3) + 0.45 * sheen;
        return ramp({dark, mid, light}, t);
    });
    applyRelief(img,
                makeHeight(size,
                           [&](double x, double y) {
                               return 0.22 * std::min(w, h) *
                                      std::sqrt(std::sin(kPi * x / w) * std::sin(kPi * y / h));
                           }),
                0.6);
    finishSkin(img, seed, 2.5, 0.9);
    return img;
}

// Fine diagonal pleats, like folded cloth.
QImage pleatSkin(QSize size, uint32_t seed, Rgb dark, Rgb light, double period, double angleDeg) {
    const double w = size.width(), h = size.height();
    const double ca = std::cos(angleDeg * kPi / 180.0), sa = std::sin(angleDeg * kPi / 180.0);
    QImage img = render(size, [&](double x, double y) {
        return mix(dark, light,
                   0.25 + 0.5 * (1.0 - y / h) * (0.6 + 0.4 * x / w) +
                       0.2 * fbm(x / 14, y / 14, seed, 3));
    });
    applyRelief(img,
                makeHeight(size,
                           [&](double x, double y) {
                               const double s = (x * ca + y * sa) / period +
                                                0.3 * fbm(x / 20, y / 20, seed + 1, 2);
                               return period * 0.3 * std::abs(fract(s) - 0.5) * 2.0;
                           }),
                0.4);
    finishSkin(img, seed, 3.0, 1.0);
    return img;
}

// Wood with its grain along the long side of the picture.
QImage woodSkin(QSize size, uint32_t seed, const std::vector<Rgb> &colours, double ringWidth) {
    const bool tall = size.height() >= size.width();
    QImage img = render(size, [&](double x, double y) {
        const double across = tall ? x : y, along = tall ? y : x;
        const double warp = 4.0 * fbm(across / 40.0, along / 140.0, seed, 3);
        const double rings =
            fract(across / ringWidth + warp + 0.4 * fbm(across / 9.0, along / 60.0, seed + 1, 2));
        // Late wood darkens gradually, then eases back rather than stepping.
        const double late = std::pow(rings, 1.8) * (1.0 - smoothstep(0.8, 1.0, rings));
        const double fibre = fbm(across / 1.3, along / 45.0, seed + 2, 2);
        return ramp(colours, 0.55 * late + 0.45 * fibre);
    });
    finishSkin(img, seed, 4.0, 0.9);
    return img;
}

// Night sky: a deep gradient, a faint milky band and sparse stars.
QImage starSkin(QSize size, uint32_t seed, Rgb top, Rgb bottom, Rgb band) {
    const double w = size.width(), h = size.height();
    QImage img = render(size, [&](double x, double y) {
        const double u = x / w, v = y / h;
        const double across = (u * 0.8 + v * 0.6 - 0.75);
        const double milky = std::exp(-across * across / 0.03) * fbm(x / 18.0, y / 18.0, seed, 5);
        return mix(mix(top, bottom, v), band, 0.45 * milky);
    });
    // Few stars: the clock must stay the thing you look at.
    Rng rng(seed);
    const int count = int(w * h / 170.0);
    for (int i = 0; i < count; ++i) {
        const double sx = rng.range(0, w), sy = rng.range(0, h);
        const double bright = std::pow(rng.unit(), 3.5);
        const double radius = 0.55 + 1.3 * bright;
        const Rgb tint = mix(rgb(190, 210, 255), rgb(255, 236, 200), rng.unit());
        for (int y = int(sy - 3); y <= int(sy + 3); ++y) {
            for (int x = int(sx - 3); x <= int(sx + 3); ++x) {
                if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
                    continue;
                const double d = std::hypot(x + 0.5 - sx, y + 0.5 - sy);
                const double a = (0.35 + 0.65 * bright) * std::exp(-d * d / (radius * radius));
                img.setPixel(x, y, pack(mix(unpack(img.pixel(x, y)), tint, a)));
            }
        }
    }
    finishSkin(img, seed, 3.5, 0.8);
    return img;
}

// Polished stone with a few soft veins.
QImage marbleSkin(QSize size, uint32_t seed, Rgb base, Rgb cloud, Rgb vein) {
    QImage img = render(size, [&](double x, double y) {
        const double turb = fbm(x / 60.0, y / 60.0, seed, 3);
        const double line = std::abs(std::sin(x * 0.03 + y * 0.05 + 5.0 * turb));
        const double veins = std::pow(1.0 - line, 8.0);
        const Rgb c =
            mix(base, cloud, smoothstep(0.35, 0.75, fbm(x / 30.0, y / 30.0, seed + 5, 4)));
        return mix(c, vein, 0.55 * veins);
    });
    finishSkin(img, seed, 3.5, 0.8);
    return img;
}

// Brushed metal: streaks along rows and a broad sheen.
QImage brushedSkin(QSize size, uint32_t seed, Rgb tint) {
    const double w = size.width(), h = size.height();
    QImage img = render(size, [&](double x, double y) {
        const double streak =
            0.65 * fbm(x / 70.0, y * 1.6, seed, 3) + 0.35 * hashUnit(0, int(y * 3), seed);
        const double sheen = 0.5 + 0.5 * std::cos((x / w - 0.6 * y / h) * 2.0 * kPi);
        return tint * (0.74 + 0.14 * streak + 0.16 * sheen);
    });
    finishSkin(img, seed, 3.5, 1.0);
    return img;
}

// Evening sky: violet above, warm glow low down, thin cloud bands.
QImage sunsetSkin(QSize size, uint32_t seed, const std::vector<Rgb> &sky, double sunX) {
    const double w = size.width(), h = size.height();
    QImage img = render(size, [&](double x, double y) {
        const double v = y / h;
        Rgb c = ramp(sky, v);
        const double dx = (x / w - sunX) * w / h, dy = v - 0.9;
        c = mix(c, rgb(255, 226, 160), 0.55 * std::exp(-(dx * dx + dy * dy) * 14.0));
        const double band = smoothstep(0.5, 0.8, fbm(x / 60.0, y / 5.0, seed, 4));
        return c * (1.0 - 0.16 * band);
    });
    finishSkin(img, seed, 3.5, 0.8);
    return img;
}

// A leaf close up: a midrib, side veins and faint cells.
QImage leafSkin(QSize size, uint32_t seed, Rgb dark, Rgb light, Rgb veinColour) {
    const double w = size.width(), h = size.height();
    const double a = std::atan2(-h, w) * 0.85;
    const double ca = std::cos(a), sa = std::sin(a);
    QImage img = render(size, [&](double x, double y) {
        const double px = x - w * 0.5, py = y - h * 0.5;
        const double along = px * ca + py * sa, across = -px * sa + py * ca;
        const double spacing = std::min(w, h) / 5.0;
        const double side = fract((along - std::abs(across) * 0.7) / spacing);
        const double sideVein = std::exp(-std::pow((side - 0.5) * spacing, 2) / 1.2) *
                                smoothstep(0, 6, std::abs(across));
        const double mainVein = std::exp(-across * across / 3.0);
        const CellHit c = cells(x / 4.0, y / 4.0, seed);
        Rgb base = mix(dark, light,
                       0.3 + 0.4 * fbm(x / 40, y / 40, seed, 4) +
                           0.15 * smoothstep(0.0, 0.3, c.f2 - c.f1));
        return mix(base, veinColour, std::max(0.5 * mainVein, 0.25 * sideVein));
    });
    finishSkin(img, seed, 4.0, 0.9);
    return img;
}

// Wind ripples on sand.
QImage sandSkin(QSize size, uint32_t seed, Rgb colour, double ripple) {
    QImage img = render(size, [&](double x, double y) {
        return colour * (0.9 + 0.12 * fbm(x / 25.0, y / 25.0, seed + 1, 4));
    });
    applyRelief(img,
                makeHeight(size,
                           [&](double x, double y) {
                               const double phase =
                                   (y + 9.0 * fbm(x / 45.0, y / 45.0, seed, 3) + 0.15 * x) / ripple;
                               return ripple * 0.22 *
                                      std::pow(0.5 + 0.5 * std::sin(phase * 2.0 * kPi), 1.6);
                           }),
                0.55);
    finishSkin(img, seed, 4.0, 0.9);
    return img;
}

// Frosted glass: pale ice with crystal streaks from ridged noise.
QImage frostSkin(QSize size, uint32_t seed, Rgb deep, Rgb pale) {
    const double h = size.height();
    QImage img = render(size, [&](double x, double y) {
        const double n = fbm(x / 22.0, y / 22.0, seed, 5);
        const double ridge = 1.0 - std::abs(2.0 * n - 1.0);
        return mix(deep, pale, 0.3 * (1.0 - y / h) + 0.55 * std::pow(ridge, 4.0));
    });
    finishSkin(img, seed, 3.0, 0.9);
    return img;
}

// Layered slate: split flakes stepping down in terraces.
QImage slateSkin(QSize size, uint32_t seed, Rgb dark, Rgb light) {
    constexpr double layers = 7.0;
    auto strata = [&](double x, double y) {
        return fbm(x / 70.0, y / 45.0 + 0.3 * fbm(x / 25.0, y / 25.0, seed + 3, 2), seed, 3);
    };
    auto terrace = [&](double x, double y) {
        const double s = strata(x, y) * layers;
        return (std::floor(s) + smoothstep(0.8, 1.0, fract(s))) / layers;
    };
    QImage img = render(size, [&](double x, double y) {
        const double layer = std::floor(strata(x, y) * layers);
        const double tone =
            0.25 + 0.5 * hashUnit(int(layer), 0, seed) + 0.2 * fbm(x / 6.0, y / 12.0, seed + 4, 2);
        return mix(dark, light, tone);
    });
    applyRelief(img, makeHeight(size, [&](double x, double y) { return 14.0 * terrace(x, y); }),
                0.6);
    finishSkin(img, seed, 4.0, 1.0);
    return img;
}

// Small glazed tiles in flat colours with a one-pixel light and dark edge,
// so the whole picture keeps a short exact palette (it is saved as GIF).
QImage mosaicSkin(QSize size, uint32_t seed, const std::vector<Rgb> &tiles, Rgb grout, int tile) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const int tx = x / tile, ty = y / tile, ix = x % tile, iy = y % tile;
            const bool edge = x == 0 || y == 0 || x == size.width() - 1 || y == size.height() - 1;
            Rgb c = tiles[hash2(tx, ty, seed) % tiles.size()];
            if (edge || ix == tile - 1 || iy == tile - 1)
                c = grout;
            else if (ix == 0 || iy == 0)
                c = mix(c, kWhite, 0.2);
            else if (ix == tile - 2 || iy == tile - 2)
                c = c * 0.86;
            img.setPixel(x, y, pack(c));
        }
    }
    return img;
}

struct SkinJob {
    const char *file;
    QSize size;
    std::function<QImage(QSize, uint32_t)> draw;
};

void makeSkins(const QString &dataDir) {
    const QSize vrim(110, 133), quenz(158, 161), vrimcolor(117, 117), norviFrame(92, 224),
        norviCentre(62, 62), jolvex(78, 50), mip(67, 152);

    const std::vector<SkinJob> jobs = {
        // Vrim: behind the Dov clock's ring of hour bars.
        {"Vrim/blui-3d.jpg", vrim,
         [](QSize s, uint32_t k) {
             return dishSkin(s, k, rgb(62, 84, 122), rgb(34, 46, 74), rgb(120, 150, 196));
         }},
        {"Vrim/tamwud.jpg", vrim,
         [](QSize s, uint32_t k) {
             return woodSkin(
                 s, k, {rgb(92, 54, 30), rgb(128, 78, 42), rgb(160, 104, 60), rgb(178, 124, 76)},
                 9.0);
         }},
        {"Vrim/nochistar.jpg", vrim,
         [](QSize s, uint32_t k) {
             return starSkin(s, k, rgb(10, 16, 42), rgb(34, 32, 78), rgb(92, 96, 150));
         }},
        {"Vrim/marlo.jpg", vrim,
         [](QSize s, uint32_t k) {
             return marbleSkin(s, k, rgb(224, 218, 206), rgb(204, 198, 190), rgb(140, 132, 128));
         }},
        {"Vrim/sunfel.bmp", vrim,
         [](QSize s, uint32_t k) {
             return sunsetSkin(
                 s, k, {rgb(54, 40, 100), rgb(122, 58, 112), rgb(206, 98, 84), rgb(236, 156, 90)},
                 0.7);
         }},

        // Quenz: square face with blue bars, so warm or neutral grounds.
        {"Quenz/dunga-3d.jpg", quenz,
         [](QSize s, uint32_t k) {
             return roughSkin(s, k, {rgb(88, 62, 36), rgb(140, 102, 58), rgb(180, 142, 86)}, 16.0,
                              7.0, 0.45);
         }},
        {"Quenz/hiven-3d.jpg", vrimcolor,
         [](QSize s, uint32_t k) {
             return cloudSkin(s, k, rgb(70, 104, 124), rgb(120, 150, 160), rgb(214, 226, 230));
         }},
        {"Quenz/brusk.jpg", quenz,
         [](QSize s, uint32_t k) { return brushedSkin(s, k, rgb(176, 180, 186)); }},
        {"Quenz/leafen.jpg", quenz,
         [](QSize s, uint32_t k) {
             return leafSkin(s, k, rgb(46, 92, 40), rgb(104, 156, 70), rgb(176, 214, 130));
         }},
        {"Quenz/sandor.jpg", vrimcolor,
         [](QSize s, uint32_t k) { return sandSkin(s, k, rgb(212, 184, 140), 8.0); }},
        {"Quenz/mistel.jpg", vrimcolor,
         [](QSize s, uint32_t k) {
             return cloudSkin(s, k, rgb(96, 84, 128), rgb(160, 146, 178), rgb(230, 222, 238));
         }},

        // norvi: tall frames behind lamp columns, and small centre pictures.
        {"norvi/butnrock-3d.jpg", norviFrame,
         [](QSize s, uint32_t k) {
             return cobbleSkin(s, k, {rgb(82, 78, 74), rgb(120, 112, 100), rgb(150, 140, 124)},
                               rgb(40, 38, 36), 15.0);
         }},
        {"norvi/pebbo-3d.jpg", norviFrame,
         [](QSize s, uint32_t k) {
             return cobbleSkin(s, k, {rgb(120, 104, 86), rgb(164, 146, 120), rgb(196, 182, 158)},
                               rgb(70, 62, 52), 12.0);
         }},
        {"norvi/woodrib.jpg", norviFrame,
         [](QSize s, uint32_t k) {
             return woodSkin(
                 s, k, {rgb(70, 40, 28), rgb(104, 60, 38), rgb(132, 82, 52), rgb(150, 100, 66)},
                 7.0);
         }},
        {"norvi/slatey.jpg", norviFrame,
         [](QSize s, uint32_t k) { return slateSkin(s, k, rgb(46, 52, 62), rgb(98, 108, 120)); }},
        {"norvi/plum.jpg", norviCentre,
         [](QSize s, uint32_t k) {
             return cushionSkin(s, k, rgb(56, 16, 50), rgb(112, 38, 96), rgb(186, 110, 168));
         }},
        {"norvi/limo.jpg", norviCentre,
         [](QSize s, uint32_t k) {
             return cushionSkin(s, k, rgb(52, 82, 18), rgb(110, 150, 40), rgb(196, 224, 120));
         }},
        {"norvi/ambru.jpg", norviCentre,
         [](QSize s, uint32_t k) {
             return cushionSkin(s, k, rgb(96, 46, 8), rgb(170, 98, 20), rgb(240, 180, 90));
         }},
        {"norvi/tealo.jpg", norviCentre,
         [](QSize s, uint32_t k) {
             return cushionSkin(s, k, rgb(10, 62, 66), rgb(28, 118, 120), rgb(120, 200, 196));
         }},

        // jolvex: a tiny window, so fine patterns only.
        {"jolvex/blueplic.jpg", jolvex,
         [](QSize s, uint32_t k) {
             return pleatSkin(s, k, rgb(34, 62, 120), rgb(92, 134, 196), 6.0, 55.0);
         }},
        {"jolvex/cobbo.jpg", jolvex,
         [](QSize s, uint32_t k) { return brushedSkin(s, k, rgb(190, 118, 74)); }},
        {"jolvex/frosk.jpg", jolvex,
         [](QSize s, uint32_t k) {
             return frostSkin(s, k, rgb(136, 168, 196), rgb(232, 242, 250));
         }},
        {"jolvex/dusko.jpg", jolvex,
         [](QSize s, uint32_t k) {
             return sunsetSkin(
                 s, k, {rgb(30, 30, 74), rgb(88, 50, 104), rgb(176, 84, 96), rgb(226, 140, 92)},
                 0.3);
         }},
        {"jolvex/mozzik.gif", jolvex,
         [](QSize s, uint32_t k) {
             return mosaicSkin(s, k,
                               {rgb(60, 100, 150), rgb(72, 118, 164), rgb(58, 116, 136),
                                rgb(86, 132, 174), rgb(66, 92, 138)},
                               rgb(48, 58, 78), 10);
         }},

        // Mip: tall and narrow, behind number pictures.
        {"Mip/ruca.jpg", mip,
         [](QSize s, uint32_t k) {
             return roughSkin(s, k, {rgb(110, 44, 28), rgb(156, 72, 44), rgb(190, 108, 70)}, 10.0,
                              5.0, 0.7);
         }},
        {"Mip/birka.jpg", mip,
         [](QSize s, uint32_t k) {
             return woodSkin(
                 s, k,
                 {rgb(176, 150, 110), rgb(206, 182, 142), rgb(226, 206, 170), rgb(236, 222, 192)},
                 11.0);
         }},
        {"Mip/nachto.jpg", mip,
         [](QSize s, uint32_t k) {
             return starSkin(s, k, rgb(8, 20, 34), rgb(20, 50, 70), rgb(70, 110, 120));
         }},
        {"Mip/corrl.jpg", mip,
         [](QSize s, uint32_t k) { return sandSkin(s, k, rgb(222, 166, 150), 7.0); }},
        {"Mip/velm.jpg", mip,
         [](QSize s, uint32_t k) {
             return leafSkin(s, k, rgb(28, 72, 52), rgb(70, 128, 90), rgb(150, 200, 150));
         }},
    };

    for (const SkinJob &job : jobs) {
        const QString path = dataDir + "/Skins/" + job.file;
        // Seeded by name, so adding or reordering skins leaves the others unchanged.
        uint32_t seed = 2166136261u;
        for (const char *c = job.file; *c; ++c)
            seed = (seed ^ uint8_t(*c)) * 16777619u;
        const QImage img = job.draw(job.size, seed);
        if (path.endsWith(".gif"))
            saveGif(path, img);
        else
            saveImage(path, img);
    }
}

// ---------------------------------------------------------------------------
// Program artwork
// ---------------------------------------------------------------------------

QFont titleFont(int pixelSize, bool bold) {
    QFont f("DejaVu Sans");
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// The family colours used for clocks on the splash and the help ribbon.
const std::vector<Rgb> &familyColours() {
    static const std::vector<Rgb> colours = {
        rgb(222, 74, 70),  rgb(240, 142, 50), rgb(226, 188, 40), rgb(92, 172, 82),
        rgb(40, 168, 160), rgb(62, 122, 210), rgb(104, 92, 200), rgb(190, 80, 170)};
    return colours;
}

// One small clock: coloured rim, white face, ticks and two hands.
void drawClockIcon(QPainter &p, QPointF c, double r, Rgb colour, double hour, double minute) {
    QRadialGradient rim(c - QPointF(r * 0.35, r * 0.4), r * 1.4);
    rim.setColorAt(0.0, qcol(mix(colour, kWhite, 0.45)));
    rim.setColorAt(0.6, qcol(colour));
    rim.setColorAt(1.0, qcol(colour * 0.7));
    p.setPen(QPen(qcol(colour * 0.6), 1.0));
    p.setBrush(rim);
    p.drawEllipse(c, r, r);

    const double face = r * 0.74;
    QRadialGradient inner(c + QPointF(0, face * 0.2), face);
    inner.setColorAt(0.0, Qt::white);
    inner.setColorAt(0.85, Qt::white);
    inner.setColorAt(1.0, QColor(222, 226, 232));
    p.setPen(Qt::NoPen);
    p.setBrush(inner);
    p.drawEllipse(c, face, face);

    p.setBrush(qcol(colour * 0.75));
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6.0;
        const QPointF at = c + QPointF(std::sin(a), -std::cos(a)) * face * 0.8;
        p.drawEllipse(at, i % 3 == 0 ? 1.3 : 0.7, i % 3 == 0 ? 1.3 : 0.7);
    }
    auto hand = [&](double turns, double length, double width) {
        const double a = turns * 2.0 * kPi;
        p.setPen(QPen(QColor(54, 58, 70), width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(std::sin(a), -std::cos(a)) * length);
    };
    hand((hour + minute / 60.0) / 12.0, face * 0.5, 2.0);
    hand(minute / 60.0, face * 0.75, 1.4);
    p.setPen(Qt::NoPen);
    p.setBrush(qcol(colour));
    p.drawEllipse(c, 1.6, 1.6);
}

bool isPlainWhite(const QImage &img, QRect r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((img.pixel(x, y) & 0xffffffu) != 0xffffffu)
                return false;
    return true;
}

void makeSplash(const QString &path) {
    const QSize size(450, 285);
    // Controls are laid over these, and code animates a clock in the last one.
    const std::vector<QRect> keepClear = {QRect(14, 78, 69, 21),   QRect(17, 192, 347, 19),
                                          QRect(192, 252, 19, 19), QRect(45, 255, 135, 15),
                                          QRect(234, 248, 91, 25), QRect(330, 60, 110, 110)};
    const auto &colours = familyColours();

    QPainterPath title;
    title.addText(18, 52, titleFont(40, true), "Vrim Clocks");

    struct Icon {
        QPointF centre;
        double hour, minute;
    };
    std::vector<Icon> icons;
    for (int i = 0; i < 8; ++i)
        icons.push_back({QPointF(36.0 + i * 38.0, 145.0), double((i * 5 + 1) % 12),
                         double((i * 23 + 10) % 60)});

    // Soft shadows go on their own layer so they can be blurred.
    QImage shadow(size, QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter p(&shadow);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 50, 80, 70));
        p.drawPath(title.translated(2, 3));
        p.setBrush(QColor(40, 50, 80, 90));
        for (const Icon &icon : icons)
            p.drawEllipse(icon.centre + QPointF(1.5, 2.5), 16, 16);
    }
    shadow = blurred(shadow, 2);

    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Pastel bubbles in the top right corner, clear of the animated clock.
    Rng rng(77);
    for (int i = 0; i < 9; ++i) {
        const QPointF c(rng.range(352, 432), rng.range(14, 40));
        const double r = rng.range(6, 13);
        p.setPen(Qt::NoPen);
        p.setBrush(qcol(colours[size_t(i) % colours.size()], 46));
        p.drawEllipse(c, r, r);
    }

    // A gentle ribbon in the free band between the text line and the buttons.
    for (int band = 0; band < 2; ++band) {
        QPainterPath wave;
        const double base = 229.0 + band * 3.0, amp = 5.0 - band * 1.5;
        wave.moveTo(1, base);
        for (int x = 1; x <= 449; x += 4)
            wave.lineTo(x, base + amp * std::sin(x / 52.0 + band * 1.7));
        for (int x = 449; x >= 1; x -= 4)
            wave.lineTo(x, base + 5.0 + amp * std::sin(x / 52.0 + band * 1.7 + 0.6));
        wave.closeSubpath();
        QLinearGradient g(0, 0, 450, 0);
        for (size_t i = 0; i < colours.size(); ++i)
            g.setColorAt(double(i) / double(colours.size() - 1),
                         qcol(colours[i], band == 0 ? 80 : 55));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(wave);
    }

    p.drawImage(0, 0, shadow);

    QLinearGradient ink(0, 18, 0, 56);
    ink.setColorAt(0.0, QColor(64, 104, 196));
    ink.setColorAt(1.0, QColor(96, 58, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(title);

    // A fine underline made of the family colours.
    const QRectF bounds = title.boundingRect();
    for (size_t i = 0; i < colours.size(); ++i) {
        const double seg = bounds.width() / double(colours.size());
        p.setBrush(qcol(colours[i]));
        p.drawRoundedRect(QRectF(bounds.left() + double(i) * seg + 0.5, 61, seg - 1.0, 3), 1.5,
                          1.5);
    }

    for (size_t i = 0; i < icons.size(); ++i)
        drawClockIcon(p, icons[i].centre, 15.0, colours[i], icons[i].hour, icons[i].minute);

    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    p.end();

    // Fail loudly if a change ever paints over a control's place.
    QString problems;
    for (const QRect &r : keepClear)
        if (!isPlainWhite(img, r.adjusted(-2, -2, 2, 2)))
            problems += QString(" not clear at %1,%2").arg(r.x()).arg(r.y());
    int white = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            white += (img.pixel(x, y) & 0xffffffu) == 0xffffffu;
    const double whiteShare = double(white) / double(size.width() * size.height());
    if (whiteShare < 0.7)
        problems += QString(" only %1% white").arg(int(whiteShare * 100));
    if (!problems.isEmpty()) {
        report(path, false, problems);
        return;
    }
    std::printf("      splash is %.0f%% pure white\n", whiteShare * 100.0);
    saveImage(path, img);
}

// Carves a shallow sunken panel into a picture.
void sinkPanel(QImage &img, QRectF r, double depth, double strength) {
    applyRelief(img,
                makeHeight(img.size(),
                           [&](double x, double y) {
                               const double d = std::min(
                                   {x - r.left(), r.right() - x, y - r.top(), r.bottom() - y});
                               return -depth * smoothstep(-1.0, 1.5, d);
                           }),
                strength);
}

void makeLauncher(const QString &path) {
    const QSize size(131, 362);
    const double w = size.width(), h = size.height();
    QImage img = render(size, [&](double x, double y) {
        const Rgb c = mix(rgb(92, 108, 136), rgb(52, 62, 88), y / h);
        const double streak = fbm(x / 50.0, y * 0.9, 404, 3);
        return c * (0.94 + 0.1 * streak + 0.05 * (1.0 - x / w));
    });
    // Recesses for the bar column and for the help picture, so both look set in.
    sinkPanel(img, QRectF(13, 8, 88, h - 16), 2.0, 0.5);
    sinkPanel(img, QRectF(110, 35, 40, 209), 2.0, 0.5);
    // An engraved clock emblem in the free corner under the help picture.
    const QPointF e(116, 318);
    applyRelief(img,
                makeHeight(size,
                           [&](double x, double y) {
                               const double d = std::hypot(x - e.x(), y - e.y());
                               const double ring = std::exp(-std::pow(d - 9.0, 2) / 1.2);
                               const bool onHour =
                                   std::abs(x - e.x()) < 0.9 && y > e.y() - 5.5 && y < e.y();
                               const bool onMinute =
                                   std::abs(y - e.y()) < 0.9 && x > e.x() && x < e.x() + 7.0;
                               return -1.5 * std::max(ring, (onHour || onMinute) ? 1.0 : 0.0);
                           }),
                0.8);
    finishSkin(img, 505, 4.0, 1.0);
    saveImage(path, img);
}

void makeHelpEntry(const QString &path) {
    const QSize size(21, 203);
    const double w = size.width(), h = size.height();
    // A light ribbon, round across like a rolled strip; the middle stays pale
    // because code writes black text there.
    QImage img = render(size, [&](double x, double y) {
        const double across = (x / w - 0.5) * 2.0;
        const double shade = 1.0 - 0.16 * across * across - 0.06 * across;
        const double v = y / h;
        const Rgb paper = mix(rgb(252, 246, 220), rgb(246, 234, 196), std::abs(v - 0.5) * 2.0);
        return paper * shade;
    });
    bevel(img, 2.0, 0.8);

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (double cy : {12.0, h - 12.0}) {
        const QPointF c(w / 2.0, cy);
        QRadialGradient g(c - QPointF(2.5, 3), 10);
        g.setColorAt(0.0, QColor(126, 168, 236));
        g.setColorAt(1.0, QColor(40, 84, 170));
        p.setPen(QPen(QColor(30, 60, 124), 1.0));
        p.setBrush(g);
        p.drawEllipse(c, 8.0, 8.0);
        p.setPen(Qt::white);
        p.setFont(titleFont(12, true));
        p.drawText(QRectF(c.x() - 8, c.y() - 8, 16, 16), Qt::AlignCenter, "?");
    }
    p.end();
    saveImage(path, img);
}

// Link pointer: an arrow with a small globe. Hot spot is the arrow tip at
// (1, 1); whoever loads it must pass that to QCursor.
void makeLinkCursor(const QString &path) {
    QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    const QPointF globe(21.5, 21.5);
    const double r = 8.5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(globe + QPointF(1, 1.2), r, r);
    QRadialGradient sea(globe - QPointF(3, 3), r * 1.5);
    sea.setColorAt(0.0, QColor(140, 200, 255));
    sea.setColorAt(1.0, QColor(30, 90, 190));
    p.setBrush(sea);
    p.setPen(QPen(QColor(16, 44, 110), 1.0));
    p.drawEllipse(globe, r, r);
    // Land, clipped to the globe.
    QPainterPath ball;
    ball.addEllipse(globe, r - 0.5, r - 0.5);
    p.save();
    p.setClipPath(ball);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 180, 90));
    p.drawEllipse(QPointF(18.5, 19.0), 4.0, 3.0);
    p.drawEllipse(QPointF(24.5, 25.5), 3.5, 2.5);
    p.drawEllipse(QPointF(26.5, 17.5), 2.0, 1.6);
    p.setPen(QPen(QColor(255, 255, 255, 150), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(globe, r * 0.45, r);
    p.drawLine(globe - QPointF(r, 0), globe + QPointF(r, 0));
    p.restore();

    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 17);
    arrow.lineTo(5, 13.2);
    arrow.lineTo(8, 20);
    arrow.lineTo(10.8, 18.8);
    arrow.lineTo(8, 12.2);
    arrow.lineTo(13.2, 12.2);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawPath(arrow.translated(0.5, 0.5));
    p.end();
    saveImage(path, img.convertToFormat(QImage::Format_ARGB32));
}

// ---------------------------------------------------------------------------
// Sounds
// ---------------------------------------------------------------------------

constexpr int kRate = 22050;
using Wave = std::vector<double>;

Wave blank(double seconds) {
    return Wave(size_t(std::lround(seconds * kRate)), 0.0);
}

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

// 16-bit mono PCM in a hand-written RIFF container.
void saveWav(const QString &path, const Wave &w) {
    const uint32_t dataBytes = uint32_t(w.size() * 2);
    std::string out = "RIFF";
    putLe(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLe(out, 16, 4); // fmt chunk size
    putLe(out, 1, 2);  // PCM
    putLe(out, 1, 2);  // mono
    putLe(out, kRate, 4);
    putLe(out, kRate * 2, 4); // bytes per second
    putLe(out, 2, 2);         // bytes per frame
    putLe(out, 16, 2);        // bits per sample
    out += "data";
    putLe(out, dataBytes, 4);
    for (double s : w)
        putLe(out, uint32_t(uint16_t(int16_t(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0)))), 2);
    const bool ok = writeBytes(path, out);
    report(path, ok, QString("%1 s").arg(double(w.size()) / kRate, 0, 'f', 2));
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

void makeSounds(const QString &dataDir) {
    const std::vector<std::pair<const char *, std::function<Wave()>>> chimes = {
        {"bzz.wav", chimeBzz},     {"iauu.wav", chimeIauu},     {"niaa.wav", chimeNiaa},
        {"klong.wav", chimeKlong}, {"toktok.wav", chimeToktok}, {"marimbi.wav", chimeMarimbi},
        {"pling.wav", chimePling},
    };
    for (const auto &[name, make] : chimes)
        saveWav(dataDir + "/Sounds/" + name, make());
}

} // namespace

int main(int argc, char **argv) {
    // Text and painting need a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <outdir-data> <outdir-shellart>\n", argv[0]);
        return 2;
    }
    const QString dataDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString artDir = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();

    // The title must look the same wherever this runs.
    const QString family = QFontInfo(titleFont(40, true)).family();
    if (family != "DejaVu Sans")
        std::fprintf(stderr,
                     "warning: DejaVu Sans not found, titles use %s (install fonts-dejavu-core)\n",
                     qPrintable(family));

    makeSkins(dataDir);
    makeSounds(dataDir);
    makeSplash(artDir + "/splash.png");
    makeLauncher(artDir + "/launcher.png");
    makeHelpEntry(artDir + "/help-entry.png");
    makeLinkCursor(artDir + "/link-cursor.png");

    if (g_failures > 0) {
        std::fprintf(stderr, "%d file(s) failed\n", g_failures);
        return 1;
    }
    return 0;
}
