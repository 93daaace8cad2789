#include "Checks.h"

#include "Writers.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPointF>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace artgen {

namespace {

// Reports one failed check of `path`; a passing check says nothing, the writer already did.
bool expect(bool ok, const QString &path, const QString &what) {
    if (!ok)
        report(path, false, what);
    return ok;
}

QImage load(const QString &path) {
    QImageReader reader(path);
    const QImage img = reader.read();
    expect(!img.isNull(), path, "unreadable: " + reader.errorString());
    return img;
}

// How much of a pixel is shape, 0..1: opacity on a transparent picture, and distance from the
// corner colour on one without transparency.
class Ink {
public:
    explicit Ink(const QImage &img)
        : img_(img.convertToFormat(QImage::Format_ARGB32)) {
        const QRgb bg = img_.isNull() ? 0 : img_.pixel(0, 0);
        for (int y = 0; y < img_.height(); ++y)
            for (int x = 0; x < img_.width(); ++x) {
                const QRgb c = img_.pixel(x, y);
                weight_.push_back(img.hasAlphaChannel()
                                      ? qAlpha(c) / 255.0
                                      : std::min(1.0, (std::abs(qRed(c) - qRed(bg)) +
                                                       std::abs(qGreen(c) - qGreen(bg)) +
                                                       std::abs(qBlue(c) - qBlue(bg))) /
                                                          300.0));
            }
        double sx = 0, sy = 0;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (inside(x, y)) {
                    sx += x + 0.5;
                    sy += y + 0.5;
                    ++area_;
                }
        centre_ =
            area_ > 0 ? QPointF(sx / area_, sy / area_) : QPointF(width() / 2.0, height() / 2.0);
        inner_ = width() + height();
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x) {
                const double d = std::hypot(x + 0.5 - centre_.x(), y + 0.5 - centre_.y());
                if (inside(x, y))
                    outer_ = std::max(outer_, d + 0.5);
                else
                    inner_ = std::min(inner_, d);
            }
    }

    int width() const { return img_.width(); }
    int height() const { return img_.height(); }
    bool inside(int x, int y) const { return at(x, y) >= 0.5; }
    int area() const { return area_; }
    QPointF centre() const { return centre_; }
    // The farthest shape pixel and the nearest empty one, seen from the centre.
    double outer() const { return outer_; }
    double inner() const { return inner_; }

    // Walks a circle round the centre and counts the times it enters the shape. A little
    // hysteresis keeps pixel steps on an edge from counting twice; -1 means the circle never
    // leaves the shape.
    int entries(double radius) const {
        constexpr int Steps = 1440;
        auto value = [&](int i) {
            const double a = 2.0 * std::numbers::pi * (i % Steps) / Steps;
            return sample(centre_.x() + radius * std::sin(a), centre_.y() - radius * std::cos(a));
        };
        int start = -1; // a sample that is clearly outside
        for (int i = 0; i < Steps && start < 0; ++i)
            if (value(i) < 0.5)
                start = i;
        if (start < 0)
            return -1;
        int count = 0;
        bool in = false;
        for (int k = 1; k <= Steps; ++k) {
            const double v = value(start + k);
            if (!in && v > 0.65) {
                in = true;
                ++count;
            } else if (in && v < 0.35) {
                in = false;
            }
        }
        return count;
    }

    QColor meanColour() const {
        double r = 0, g = 0, b = 0;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (inside(x, y)) {
                    const QRgb c = img_.pixel(x, y);
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
        return area_ > 0 ? QColor(int(r / area_), int(g / area_), int(b / area_)) : QColor();
    }

private:
    double at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width() || y >= height())
            return 0.0;
        return weight_[size_t(y) * size_t(width()) + size_t(x)];
    }

    // Bilinear between pixel centres.
    double sample(double fx, double fy) const {
        const double px = fx - 0.5, py = fy - 0.5;
        const int x = int(std::floor(px)), y = int(std::floor(py));
        const double tx = px - x, ty = py - y;
        return (at(x, y) * (1 - tx) + at(x + 1, y) * tx) * (1 - ty) +
               (at(x, y + 1) * (1 - tx) + at(x + 1, y + 1) * tx) * ty;
    }

    QImage img_;
    std::vector<double> weight_;
    QPointF centre_;
    double outer_ = 0, inner_ = 0;
    int area_ = 0;
};

// A ball: round, so the nearest empty pixel is about as far as the farthest shape pixel, and
// solid to the middle.
QString ballFault(const Ink &ink) {
    const double disc = std::numbers::pi * ink.outer() * ink.outer();
    if (ink.inner() <= 0.85 * ink.outer())
        return QString("not round: inner %1, outer %2").arg(ink.inner()).arg(ink.outer());
    if (ink.entries(ink.outer() * 0.5) != -1)
        return "not solid to the middle";
    if (ink.area() <= 0.8 * disc)
        return QString("not a ball: area %1 of %2").arg(ink.area()).arg(disc);
    return {};
}

// A ring: empty in the middle, closed all the way round.
QString ringFault(const Ink &ink) {
    if (ink.inside(int(ink.centre().x()), int(ink.centre().y())) ||
        ink.entries(ink.outer() * 0.3) != 0)
        return "not empty in the middle";
    bool closed = false; // some circle lies wholly on the ring
    for (double r = ink.outer() * 0.5; r < ink.outer() && !closed; r += 0.25)
        closed = ink.entries(r) == -1;
    if (!closed)
        return "the ring is not closed";
    const double disc = std::numbers::pi * ink.outer() * ink.outer();
    if (ink.area() >= 0.6 * disc)
        return QString("not a ring: area %1 of %2").arg(ink.area()).arg(disc);
    return {};
}

// Corners or points, counted on circles between the shape's inner and outer radius.
QString pointsFault(const Ink &ink, int expected) {
    if (ink.inner() >= 0.8 * ink.outer())
        return QString("no points: inner %1, outer %2").arg(ink.inner()).arg(ink.outer());
    for (double t : {0.35, 0.5, 0.65}) {
        const int counted = ink.entries(ink.inner() + t * (ink.outer() - ink.inner()));
        if (counted != expected)
            return QString("%1 points, not %2").arg(counted).arg(expected);
    }
    return {};
}

QString shapeFault(const Ink &ink, int number) {
    return number == 0 ? ringFault(ink) : number == 1 ? ballFault(ink) : pointsFault(ink, number);
}

void checkNumberPicture(const QString &path, int side, int number) {
    const QImage img = load(path);
    if (img.isNull())
        return;
    if (!expect(img.size() == QSize(side, side) && img.hasAlphaChannel(), path,
                QString("not %1 px square with transparency").arg(side)))
        return;
    // Transparent round the edge, so the clock's face shows between shapes.
    expect(qAlpha(img.pixel(0, 0)) == 0 && qAlpha(img.pixel(side - 1, side - 1)) == 0, path,
           "the corners are not transparent");
    const Ink ink(img);
    expect(std::abs(ink.centre().x() - side / 2.0) < side * 0.1 &&
               std::abs(ink.centre().y() - side / 2.0) < side * 0.1 && ink.outer() > side * 0.35,
           path, "the shape is off centre or too small");
    const QString fault = shapeFault(ink, number);
    expect(fault.isEmpty(), path, fault);
}

// The numbers of one set must tell apart by colour as well as by shape.
void checkColoursDiffer(const QString &dir, const QStringList &names) {
    std::vector<QColor> colours;
    for (const QString &name : names)
        colours.push_back(Ink(load(dir + "/" + name)).meanColour());
    for (size_t a = 0; a < colours.size(); ++a)
        for (size_t b = a + 1; b < colours.size(); ++b) {
            const QColor &p = colours[a], &q = colours[b];
            const int distance = std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                                 std::abs(p.blue() - q.blue());
            expect(distance > 40, dir + "/" + names[int(a)],
                   "looks alike in colour with " + names[int(b)]);
        }
}

} // namespace

void checkMipArt(const QString &mipDir, const QString &zeroGifPath) {
    QStringList hours, digits, all;
    for (int h = 1; h <= 12; ++h) {
        const QString base = QString("hour-%1").arg(h, 2, 10, QChar('0'));
        hours << base + ".png";
        all << base + ".png" << base + "@2x.png";
        checkNumberPicture(mipDir + "/" + base + ".png", 42, h);
        checkNumberPicture(mipDir + "/" + base + "@2x.png", 84, h);
    }
    for (int d = 0; d <= 9; ++d) {
        const QString base = QString("digit-%1").arg(d);
        digits << base + ".png";
        all << base + ".png" << base + "@2x.png";
        checkNumberPicture(mipDir + "/" + base + ".png", 21, d);
        checkNumberPicture(mipDir + "/" + base + "@2x.png", 42, d);
    }
    checkColoursDiffer(mipDir, hours);
    checkColoursDiffer(mipDir, digits);

    // The resource list names every picture and nothing that is missing.
    const QString qrcPath = mipDir + "/mipart.qrc";
    QFile qrc(qrcPath);
    if (expect(qrc.open(QIODevice::ReadOnly | QIODevice::Text), qrcPath, "unreadable")) {
        const QString text = QString::fromUtf8(qrc.readAll());
        expect(text.contains(QRegularExpression(R"(<qresource\s+prefix="/mip">)")), qrcPath,
               "not under the prefix /mip");
        QStringList listed;
        for (const auto &m : QRegularExpression("<file>([^<]+)</file>").globalMatch(text))
            listed << m.captured(1);
        for (const QString &name : listed)
            expect(QFile::exists(mipDir + "/" + name), qrcPath, "names a missing " + name);
        for (const QString &name : all)
            expect(listed.contains(name), qrcPath, "leaves out " + name);
        expect(listed.size() == all.size(), qrcPath, "names other files");
    }

    // Its one transparent colour lets a button show round the ring, as round the others.
    QFile gif(zeroGifPath);
    expect(gif.open(QIODevice::ReadOnly) && gif.read(6).startsWith("GIF8"), zeroGifPath,
           "not a GIF");
    const QImage zero = load(zeroGifPath);
    if (!zero.isNull() && expect(zero.size() == QSize(21, 21) && zero.hasAlphaChannel(),
                                 zeroGifPath, "not 21 px square with a transparent colour")) {
        for (const QPoint p : {QPoint(0, 0), QPoint(20, 20), QPoint(10, 10)})
            expect(qAlpha(zero.pixel(p)) == 0, zeroGifPath, "not transparent round the ring");
        const QString fault = ringFault(Ink(zero));
        expect(fault.isEmpty(), zeroGifPath, fault);
    }
}

void checkPerrinArt(const QString &perrinDir) {
    auto hourPath = [&](int n, const char *suffix) {
        return perrinDir + QString("/hour-%1%2.png").arg(n, 2, 10, QChar('0')).arg(suffix);
    };
    std::vector<QImage> hours;
    for (int n = 1; n <= 24; ++n) {
        const QImage one = load(hourPath(n, "")), two = load(hourPath(n, "@2x"));
        expect(one.size() == QSize(162, 160), hourPath(n, ""), "not 162 x 160");
        expect(two.size() == QSize(324, 320), hourPath(n, "@2x"), "not 324 x 320");
        hours.push_back(one.size() == QSize(162, 160) ? one.convertToFormat(QImage::Format_RGB32)
                                                      : QImage());
    }
    // What the window shows of a picture: the ellipse 0,0-133,130 of the window, which lies
    // 13 px right of and below the picture's corner.
    auto seen = [](int x, int y) {
        const double dx = (x + 0.5 - 13 - 66.5) / 66.5, dy = (y + 0.5 - 13 - 65) / 65;
        return dx * dx + dy * dy <= 1;
    };
    // The mean difference over the oval, per channel, of any two hours.
    for (size_t a = 0; a < hours.size(); ++a)
        for (size_t b = a + 1; b < hours.size(); ++b) {
            if (hours[a].isNull() || hours[b].isNull())
                continue;
            double sum = 0;
            int count = 0;
            for (int y = 0; y < 160; ++y)
                for (int x = 0; x < 162; ++x)
                    if (seen(x, y)) {
                        const QRgb p = hours[a].pixel(x, y), q = hours[b].pixel(x, y);
                        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                               std::abs(qBlue(p) - qBlue(q));
                        ++count;
                    }
            const double difference = sum / count / 3;
            expect(difference >= 8, hourPath(int(a) + 1, ""),
                   QString("looks like hour %1 through the oval (%2 a channel)")
                       .arg(b + 1)
                       .arg(difference, 0, 'f', 1));
        }
}

} // namespace artgen
