#include "PerrinArt.h"

#include "Draw.h"
#include "Noise.h"
#include "ShellArt.h"
#include "Writers.h"

#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>

#include <cmath>

namespace artgen {

namespace {

constexpr int kWidth = 162;
constexpr int kHeight = 160;

// What the window shows of a picture: the oval the clock cuts out of it, in
// picture pixels (the picture sits 13 px up and left of the window).
constexpr double kOvalLeft = 13, kOvalTop = 13, kOvalRight = 146, kOvalBottom = 143;

// The sky of each hour of the day, 0..23: its colour overhead and at the
// horizon, and the colour of the hills. The night hours lean to different
// hues so that two of them never look alike.
struct Sky {
    Rgb top, horizon, ground;
};

const Sky &skyOf(int hour) {
    static const Sky skies[24] = {
        {rgb(6, 8, 30), rgb(24, 26, 70), rgb(4, 8, 14)},             // 00 midnight
        {rgb(4, 24, 44), rgb(16, 62, 92), rgb(6, 16, 22)},           // 01
        {rgb(10, 40, 52), rgb(24, 96, 104), rgb(8, 24, 28)},         // 02
        {rgb(24, 38, 82), rgb(70, 96, 150), rgb(14, 22, 40)},        // 03
        {rgb(44, 40, 104), rgb(150, 104, 150), rgb(28, 26, 52)},     // 04
        {rgb(70, 66, 140), rgb(236, 136, 112), rgb(50, 40, 60)},     // 05 dawn
        {rgb(96, 124, 190), rgb(252, 178, 96), rgb(70, 70, 60)},     // 06
        {rgb(120, 170, 226), rgb(252, 222, 160), rgb(84, 110, 60)},  // 07
        {rgb(92, 160, 236), rgb(196, 226, 246), rgb(70, 130, 56)},   // 08
        {rgb(64, 146, 240), rgb(170, 216, 250), rgb(64, 140, 52)},   // 09
        {rgb(40, 122, 236), rgb(150, 204, 252), rgb(80, 150, 44)},   // 10
        {rgb(20, 104, 226), rgb(130, 190, 252), rgb(96, 160, 40)},   // 11
        {rgb(8, 86, 214), rgb(112, 176, 250), rgb(110, 168, 36)},    // 12 noon
        {rgb(26, 112, 206), rgb(150, 210, 236), rgb(120, 160, 40)},  // 13
        {rgb(50, 134, 200), rgb(190, 226, 222), rgb(130, 150, 44)},  // 14
        {rgb(80, 148, 196), rgb(226, 226, 190), rgb(136, 136, 50)},  // 15
        {rgb(100, 142, 190), rgb(246, 206, 140), rgb(130, 116, 52)}, // 16
        {rgb(112, 120, 180), rgb(252, 164, 90), rgb(110, 84, 50)},   // 17
        {rgb(120, 86, 156), rgb(246, 110, 70), rgb(86, 52, 46)},     // 18 sunset
        {rgb(90, 52, 128), rgb(196, 70, 92), rgb(56, 30, 44)},       // 19
        {rgb(60, 34, 104), rgb(124, 52, 110), rgb(34, 20, 40)},      // 20
        {rgb(40, 22, 84), rgb(80, 40, 112), rgb(20, 12, 34)},        // 21
        {rgb(26, 14, 58), rgb(56, 24, 84), rgb(12, 8, 24)},          // 22
        {rgb(12, 10, 42), rgb(44, 30, 92), rgb(6, 6, 20)},           // 23
    };
    return skies[hour];
}

bool isNight(int hour) { return hour >= 20 || hour <= 4; }

// The sun (or the moon at night) walks an arc over the oval: rising on the
// left in the morning, highest at noon, setting on the right in the evening.
QPointF lightAt(int hour) {
    const double dayPart = isNight(hour) ? ((hour + 4) % 24) / 8.0 : (hour - 5) / 14.0;
    const double a = kPi * (0.1 + 0.8 * dayPart);
    const double cx = 79.5, cy = 112;
    return QPointF(cx - std::cos(a) * 52, cy - std::sin(a) * 72);
}

QImage drawHour(int picture, double scale) {
    const int hour = picture % 24;
    const Sky &sky = skyOf(hour);
    QImage img(int(kWidth * scale), int(kHeight * scale), QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);

    QLinearGradient air(0, kOvalTop, 0, 118);
    air.setColorAt(0.0, qcol(sky.top));
    air.setColorAt(1.0, qcol(sky.horizon));
    p.fillRect(QRectF(0, 0, kWidth, kHeight), air);

    const QPointF light = lightAt(hour);
    if (isNight(hour)) {
        // Stars, the same sky every night, fewer towards dawn and dusk.
        Rng rng(0x5eed0000u + uint64_t(hour));
        const int count = hour == 4 || hour == 20 ? 14 : 34;
        for (int i = 0; i < count; ++i) {
            const QPointF at(rng.range(kOvalLeft, kOvalRight), rng.range(kOvalTop, 104));
            const double r = rng.range(0.4, 1.0);
            p.setPen(Qt::NoPen);
            p.setBrush(qcol(mix(sky.top, kWhite, 0.85)));
            p.drawEllipse(at, r, r);
        }
        // A crescent moon: a pale disc with a bite of sky taken from it.
        QPainterPath moon;
        moon.addEllipse(light, 9, 9);
        QPainterPath bite;
        bite.addEllipse(light + QPointF(4.5, -3), 8, 8);
        p.setBrush(qcol(rgb(244, 240, 210)));
        p.drawPath(moon.subtracted(bite));
    } else {
        const Rgb sun = hour <= 6 || hour >= 17 ? rgb(255, 150, 70) : rgb(255, 244, 170);
        QRadialGradient glow(light, 30);
        glow.setColorAt(0.0, qcol(mix(sun, kWhite, 0.3), 200));
        glow.setColorAt(1.0, qcol(sun, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(light, 30, 30);
        p.setBrush(qcol(sun));
        p.drawEllipse(light, 10, 10);
    }

    // Two rows of hills, the far one paler, lit by the hour.
    QPainterPath far;
    far.moveTo(0, 120);
    for (int x = 0; x <= kWidth; x += 6)
        far.lineTo(x, 112 - 7 * std::sin(x * 0.05 + 1.3) - 4 * std::sin(x * 0.13));
    far.lineTo(kWidth, kHeight);
    far.lineTo(0, kHeight);
    far.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(qcol(mix(sky.ground, sky.horizon, 0.45)));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(0, 130);
    for (int x = 0; x <= kWidth; x += 6)
        near.lineTo(x, 124 - 6 * std::sin(x * 0.04 + 4.0));
    near.lineTo(kWidth, kHeight);
    near.lineTo(0, kHeight);
    near.closeSubpath();
    p.setBrush(qcol(sky.ground));
    p.drawPath(near);

    // The hour's number, on the hills low in the oval, out of the light's
    // way and clear of the minutes box (picture 59..86, 95..110) and of the
    // hot spot (49..66, 51..66).
    const QString number = QString::number(picture);
    const QRectF box(57.5, 112, 44, 28);
    QPainterPath text;
    const QFont font = titleFont(22, true);
    const QFontMetricsF metrics(font);
    const QPointF origin(box.center().x() - metrics.horizontalAdvance(number) / 2.0,
                         box.center().y() + (metrics.ascent() - metrics.descent()) / 2.0);
    text.addText(origin, font, number);
    const bool dark = hour >= 6 && hour <= 17;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(qcol(dark ? rgb(20, 30, 60) : rgb(0, 0, 0), 170), 3.0, Qt::SolidLine,
                  Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    p.setPen(Qt::NoPen);
    p.setBrush(qcol(dark ? kWhite : rgb(255, 236, 170)));
    p.drawPath(text);
    p.end();
    return img;
}

} // namespace

void makePerrinArt(const QString &perrinDir) {
    QStringList files;
    for (int n = 1; n <= 24; ++n) {
        const QString base = QString("hour-%1").arg(n, 2, 10, QChar('0'));
        saveImage(perrinDir + "/" + base + ".png", drawHour(n, 1.0));
        saveImage(perrinDir + "/" + base + "@2x.png", drawHour(n, 2.0));
        files << base + ".png" << base + "@2x.png";
    }
    saveResourceList(perrinDir + "/perrinart.qrc", "/perrin", files);
}

} // namespace artgen
