#include "MipArt.h"

#include "Draw.h"
#include "Noise.h"
#include "Writers.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>

#include <cmath>

namespace artgen {

namespace {

// One hue per number, going round the colour wheel so neighbours differ;
// zero is a quiet grey because it stands for nothing.
Rgb numberColour(int n) {
    static const Rgb colours[] = {rgb(128, 132, 144), rgb(226, 68, 64),  rgb(242, 136, 40),
                                  rgb(222, 182, 20),  rgb(150, 190, 40), rgb(64, 170, 80),
                                  rgb(30, 170, 150),  rgb(40, 160, 210), rgb(56, 110, 220),
                                  rgb(110, 86, 210),  rgb(160, 74, 200), rgb(212, 70, 170),
                                  rgb(150, 96, 60)};
    return colours[n];
}

QPointF polar(QPointF c, double r, double a) { return c + QPointF(std::sin(a), -std::cos(a)) * r; }

// The outline of number n, first point straight up. Counts of five and more
// are stars: a polygon's corners get too blunt to count at this size.
QPainterPath shapeFor(int n, QPointF c, double r) {
    QPainterPath path;
    if (n == 1) {
        path.addEllipse(c, r * 0.9, r * 0.9);
    } else if (n == 2) {
        // A lens lying on its side: two arcs meeting in two sharp tips.
        const double half = r * 0.5;
        const QPointF left = c - QPointF(r, 0), right = c + QPointF(r, 0);
        path.moveTo(left);
        path.quadTo(c - QPointF(0, half * 2.0), right);
        path.quadTo(c + QPointF(0, half * 2.0), left);
        path.closeSubpath();
    } else if (n <= 4) {
        // Upright, with the square standing on a corner like the others.
        const double lift = n == 3 ? r * 0.16 : 0.0;
        for (int i = 0; i < n; ++i) {
            const QPointF at = polar(c + QPointF(0, lift), r, 2.0 * kPi * i / n);
            i == 0 ? path.moveTo(at) : path.lineTo(at);
        }
        path.closeSubpath();
    } else {
        const double inner = r * (n <= 6 ? 0.46 : 0.52);
        for (int i = 0; i < 2 * n; ++i) {
            const QPointF at = polar(c, i % 2 == 0 ? r : inner, kPi * i / n);
            i == 0 ? path.moveTo(at) : path.lineTo(at);
        }
        path.closeSubpath();
    }
    return path;
}

// A shape on a transparent square of `side` pixels; scale 2 is the HiDPI copy.
QImage drawNumber(int n, int side, double scale) {
    QImage img(side, side, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(side / 2.0, side / 2.0);
    const double pen = scale;
    const double r = side * 0.5 - pen - 0.5 * scale;
    const Rgb colour = numberColour(n);

    if (n == 0) {
        // An empty ring: a circle with nothing in it.
        p.setPen(QPen(qcol(colour), 2.0 * scale));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r - scale, r - scale);
        return img;
    }

    // Lit from the upper left like every other picture of the program.
    QRadialGradient fill(c - QPointF(r * 0.35, r * 0.4), r * 1.5);
    fill.setColorAt(0.0, qcol(mix(colour, kWhite, 0.5)));
    fill.setColorAt(0.55, qcol(colour));
    fill.setColorAt(1.0, qcol(colour * 0.8));
    p.setPen(QPen(qcol(colour * 0.6), pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(shapeFor(n, c, r));
    return img;
}

// GIF has only all-or-nothing transparency and saveGif wants few exact
// colours: the ring's edge coverage is rounded to a handful of steps over a
// button's grey, and what the ring does not touch at all is see-through, so
// the picture sits on the clock's button like the other number pictures.
QImage flattenForGif(const QImage &img, Rgb ink) {
    const Rgb buttonGrey = rgb(240, 240, 240);
    QImage out(img.size(), QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double t = std::round(qAlpha(img.pixel(x, y)) / 255.0 * 8.0) / 8.0;
            out.setPixel(x, y, t == 0.0 ? qRgba(0, 0, 0, 0) : pack(mix(buttonGrey, ink, t)));
        }
    return out;
}

} // namespace

void makeMipArt(const QString &mipDir, const QString &zeroGifPath) {
    QStringList files;
    auto save = [&](const QString &name, const QImage &img) {
        saveImage(mipDir + "/" + name, img);
        files << name;
    };
    for (int h = 1; h <= 12; ++h) {
        const QString base = QString("hour-%1").arg(h, 2, 10, QChar('0'));
        save(base + ".png", drawNumber(h, 42, 1.0));
        save(base + "@2x.png", drawNumber(h, 84, 2.0));
    }
    for (int d = 0; d <= 9; ++d) {
        const QString base = QString("digit-%1").arg(d);
        save(base + ".png", drawNumber(d, 21, 1.0));
        save(base + "@2x.png", drawNumber(d, 42, 2.0));
    }
    saveResourceList(mipDir + "/mipart.qrc", "/mip", files);
    saveGif(zeroGifPath, flattenForGif(drawNumber(0, 21, 1.0), numberColour(0)));
}

} // namespace artgen
