// One function per look, each painted for any size, and the list of skins
// made from them.

#include "Skins.h"

#include "Draw.h"
#include "Noise.h"
#include "Writers.h"

#include <QImage>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace artgen {

namespace {

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

} // namespace

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

} // namespace artgen
