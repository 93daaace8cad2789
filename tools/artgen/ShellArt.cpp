#include "ShellArt.h"

#include "Draw.h"
#include "Noise.h"
#include "Writers.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <vector>

namespace artgen {

namespace {

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

// Carves a shallow sunken panel into a picture; `scale` widens the slope on a twice-size twin.
void sinkPanel(QImage &img, QRectF r, double depth, double strength, double scale = 1.0) {
    applyRelief(img,
                makeHeight(img.size(),
                           [&](double x, double y) {
                               const double d = std::min(
                                   {x - r.left(), r.right() - x, y - r.top(), r.bottom() - y});
                               return -depth * smoothstep(-1.0 * scale, 1.5 * scale, d);
                           }),
                strength);
}

} // namespace

QFont titleFont(int pixelSize, bool bold) {
    QFont f("DejaVu Sans");
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void makeSplash(const QString &path, double scale) {
    const QSize size(450, 285);
    const QSize pixels = size * scale;
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
    QImage shadow(pixels, QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter p(&shadow);
        p.scale(scale, scale);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 50, 80, 70));
        p.drawPath(title.translated(2, 3));
        p.setBrush(QColor(40, 50, 80, 90));
        for (const Icon &icon : icons)
            p.drawEllipse(icon.centre + QPointF(1.5, 2.5), 16, 16);
    }
    shadow = blurred(shadow, int(2 * scale));
    shadow.setDevicePixelRatio(scale);

    QImage img(pixels, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.scale(scale, scale);
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

    p.resetTransform();
    p.setPen(QPen(QColor(160, 160, 160), scale));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    const double edge = scale / 2.0;
    p.drawRect(QRectF(edge - 0.5, edge - 0.5, pixels.width() - scale, pixels.height() - scale));
    p.end();

    // Fail loudly if a change ever paints over a control's place.
    QString problems;
    for (const QRect &r : keepClear)
        if (!isPlainWhite(img, QRect(r.topLeft() * scale, r.size() * scale).adjusted(-2, -2, 2, 2)))
            problems += QString(" not clear at %1,%2").arg(r.x()).arg(r.y());
    int white = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            white += (img.pixel(x, y) & 0xffffffu) == 0xffffffu;
    const double whiteShare = double(white) / double(pixels.width() * pixels.height());
    if (whiteShare < 0.7)
        problems += QString(" only %1% white").arg(int(whiteShare * 100));
    if (!problems.isEmpty()) {
        report(path, false, problems);
        return;
    }
    std::printf("      splash is %.0f%% pure white\n", whiteShare * 100.0);
    saveImage(path, img);
}

void makeLauncher(const QString &path, double scale) {
    const QSize size(131, 362);
    const QSize pixels = size * scale;
    const double w = size.width(), h = size.height();
    QImage img = render(pixels, [&](double px, double py) {
        const double x = px / scale, y = py / scale;
        const Rgb c = mix(rgb(92, 108, 136), rgb(52, 62, 88), y / h);
        const double streak = fbm(x / 50.0, y * 0.9, 404, 3);
        return c * (0.94 + 0.1 * streak + 0.05 * (1.0 - x / w));
    });
    // Recesses for the bar column and for the help picture, so both look set in.
    sinkPanel(img, QRectF(13 * scale, 8 * scale, 88 * scale, (h - 16) * scale), 2.0 * scale, 0.5,
              scale);
    sinkPanel(img, QRectF(110 * scale, 35 * scale, 40 * scale, 209 * scale), 2.0 * scale, 0.5,
              scale);
    // An engraved clock emblem in the free corner under the help picture.
    const QPointF e(116, 318);
    applyRelief(img,
                makeHeight(pixels,
                           [&](double px, double py) {
                               const double x = px / scale, y = py / scale;
                               const double d = std::hypot(x - e.x(), y - e.y());
                               const double ring = std::exp(-std::pow(d - 9.0, 2) / 1.2);
                               const bool onHour =
                                   std::abs(x - e.x()) < 0.9 && y > e.y() - 5.5 && y < e.y();
                               const bool onMinute =
                                   std::abs(y - e.y()) < 0.9 && x > e.x() && x < e.x() + 7.0;
                               return -1.5 * scale *
                                      std::max(ring, (onHour || onMinute) ? 1.0 : 0.0);
                           }),
                0.8);
    finishSkin(img, 505, 4.0 * scale, 1.0);
    saveImage(path, img);
}

void makeHelpEntry(const QString &path, double scale) {
    const QSize size(21, 203);
    const double w = size.width(), h = size.height();
    // A light ribbon, round across like a rolled strip; the middle stays pale
    // because code writes black text there.
    QImage img = render(size * scale, [&](double px, double py) {
        const double x = px / scale, y = py / scale;
        const double across = (x / w - 0.5) * 2.0;
        const double shade = 1.0 - 0.16 * across * across - 0.06 * across;
        const double v = y / h;
        const Rgb paper = mix(rgb(252, 246, 220), rgb(246, 234, 196), std::abs(v - 0.5) * 2.0);
        return paper * shade;
    });
    bevel(img, 2.0 * scale, 0.8);

    QPainter p(&img);
    p.scale(scale, scale);
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

} // namespace artgen
