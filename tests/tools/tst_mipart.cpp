// The Mip clock's pictures as they are kept in the tree: their sizes, and
// that each shape really has as many points as the number it stands for,
// counted from the pixels.
#include <QtTest>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>

#include <cmath>
#include <numbers>

namespace {

QString repoPath(const QString &relative) { return QStringLiteral(QT_TESTCASE_SOURCEDIR "/../") + relative; }

QString artPath(const QString &name) { return repoPath("src/clocks/mip/art/" + name); }

// How much of a pixel is shape, 0..1: opacity on a transparent picture, and
// distance from the corner colour on one without transparency.
class Ink {
public:
    explicit Ink(const QImage &img)
        : img_(img.convertToFormat(QImage::Format_ARGB32))
    {
        const QRgb bg = img_.pixel(0, 0);
        for (int y = 0; y < img_.height(); ++y)
            for (int x = 0; x < img_.width(); ++x) {
                const QRgb c = img_.pixel(x, y);
                double v;
                if (img.hasAlphaChannel())
                    v = qAlpha(c) / 255.0;
                else
                    v = std::min(1.0, (std::abs(qRed(c) - qRed(bg)) + std::abs(qGreen(c) - qGreen(bg)) +
                                       std::abs(qBlue(c) - qBlue(bg))) /
                                          300.0);
                weight_.push_back(v);
            }
        double sx = 0, sy = 0, n = 0;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (inside(x, y)) {
                    sx += x + 0.5;
                    sy += y + 0.5;
                    ++n;
                    ++area_;
                }
        centre_ = n > 0 ? QPointF(sx / n, sy / n) : QPointF(width() / 2.0, height() / 2.0);
        outer_ = 0;
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

    // Walks a circle round the centre and counts the times it enters the
    // shape. A little hysteresis keeps pixel steps on an edge from counting
    // twice; -1 means the circle never leaves the shape.
    int entries(double radius) const
    {
        constexpr int Steps = 1440;
        std::vector<bool> in;
        for (int i = 0; i < Steps; ++i) {
            const double a = 2.0 * std::numbers::pi * i / Steps;
            in.push_back(sample(centre_.x() + radius * std::sin(a), centre_.y() - radius * std::cos(a)) >=
                         0.5);
        }
        // Start from a sample that is clearly outside.
        int start = -1;
        for (int i = 0; i < Steps && start < 0; ++i)
            if (!in[size_t(i)])
                start = i;
        if (start < 0)
            return -1;
        int count = 0;
        bool state = false;
        for (int k = 1; k <= Steps; ++k) {
            const double a = 2.0 * std::numbers::pi * ((start + k) % Steps) / Steps;
            const double v = sample(centre_.x() + radius * std::sin(a), centre_.y() - radius * std::cos(a));
            if (!state && v > 0.65) {
                state = true;
                ++count;
            } else if (state && v < 0.35) {
                state = false;
            }
        }
        return count;
    }

    QColor meanColour() const
    {
        double r = 0, g = 0, b = 0, n = 0;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (inside(x, y)) {
                    const QRgb c = img_.pixel(x, y);
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                    ++n;
                }
        return n > 0 ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
    }

private:
    double at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width() || y >= height())
            return 0.0;
        return weight_[size_t(y) * size_t(width()) + size_t(x)];
    }

    // Bilinear between pixel centres.
    double sample(double fx, double fy) const
    {
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

QImage load(const QString &path)
{
    QImageReader reader(path);
    const QImage img = reader.read();
    if (img.isNull())
        qWarning("%s: %s", qPrintable(path), qPrintable(reader.errorString()));
    return img;
}

// A ball: round, so the nearest empty pixel is about as far as the farthest
// shape pixel, and solid to the middle.
void verifyBall(const Ink &ink)
{
    QVERIFY2(ink.inner() > 0.85 * ink.outer(),
             qPrintable(QString("inner %1, outer %2").arg(ink.inner()).arg(ink.outer())));
    QCOMPARE(ink.entries(ink.outer() * 0.5), -1);
    const double disc = std::numbers::pi * ink.outer() * ink.outer();
    QVERIFY2(ink.area() > 0.8 * disc, qPrintable(QString("area %1 of %2").arg(ink.area()).arg(disc)));
}

// A ring: empty in the middle, closed all the way round.
void verifyRing(const Ink &ink)
{
    const QPoint mid(int(ink.centre().x()), int(ink.centre().y()));
    QVERIFY(!ink.inside(mid.x(), mid.y()));
    QCOMPARE(ink.entries(ink.outer() * 0.3), 0);
    // Closed: some circle lies wholly on the ring.
    bool closed = false;
    for (double r = ink.outer() * 0.5; r < ink.outer(); r += 0.25)
        closed = closed || ink.entries(r) == -1;
    QVERIFY(closed);
    const double disc = std::numbers::pi * ink.outer() * ink.outer();
    QVERIFY2(ink.area() < 0.6 * disc, qPrintable(QString("area %1 of %2").arg(ink.area()).arg(disc)));
}

// Corners or points, counted on circles between the shape's inner and outer
// radius.
void verifyPoints(const Ink &ink, int expected)
{
    QVERIFY2(ink.inner() < 0.8 * ink.outer(),
             qPrintable(QString("inner %1, outer %2").arg(ink.inner()).arg(ink.outer())));
    for (double t : {0.35, 0.5, 0.65}) {
        const double r = ink.inner() + t * (ink.outer() - ink.inner());
        QCOMPARE(ink.entries(r), expected);
    }
}

} // namespace

class TestMipArt : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void picture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("number");
        for (int h = 1; h <= 12; ++h) {
            const QString base = QString("hour-%1").arg(h, 2, 10, QChar('0'));
            QTest::addRow("%s", qPrintable(base)) << base + ".png" << 42 << h;
            QTest::addRow("%s@2x", qPrintable(base)) << base + "@2x.png" << 84 << h;
        }
        for (int d = 0; d <= 9; ++d) {
            const QString base = QString("digit-%1").arg(d);
            QTest::addRow("%s", qPrintable(base)) << base + ".png" << 21 << d;
            QTest::addRow("%s@2x", qPrintable(base)) << base + "@2x.png" << 42 << d;
        }
    }

    void picture()
    {
        QFETCH(QString, name);
        QFETCH(int, side);
        QFETCH(int, number);
        const QImage img = load(artPath(name));
        QVERIFY(!img.isNull());
        QCOMPARE(img.size(), QSize(side, side));
        QVERIFY(img.hasAlphaChannel());
        // Transparent round the edge, so the clock's face shows between shapes.
        QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(img.pixel(side - 1, side - 1)), 0);

        const Ink ink(img);
        // Centred, and filling most of its square.
        QVERIFY(std::abs(ink.centre().x() - side / 2.0) < side * 0.1);
        QVERIFY(std::abs(ink.centre().y() - side / 2.0) < side * 0.1);
        QVERIFY(ink.outer() > side * 0.35);
        if (number == 0)
            verifyRing(ink);
        else if (number == 1)
            verifyBall(ink);
        else
            verifyPoints(ink, number);
    }

    void numbersDifferInColour()
    {
        auto check = [](const QStringList &names) {
            QList<QColor> colours;
            for (const QString &name : names)
                colours << Ink(load(artPath(name))).meanColour();
            for (int a = 0; a < colours.size(); ++a)
                for (int b = a + 1; b < colours.size(); ++b) {
                    const QColor &p = colours[a], &q = colours[b];
                    const int distance = std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                                         std::abs(p.blue() - q.blue());
                    QVERIFY2(distance > 40, qPrintable(names[a] + " and " + names[b] + " look alike"));
                }
        };
        QStringList hours, digits;
        for (int h = 1; h <= 12; ++h)
            hours << QString("hour-%1.png").arg(h, 2, 10, QChar('0'));
        for (int d = 0; d <= 9; ++d)
            digits << QString("digit-%1.png").arg(d);
        check(hours);
        check(digits);
    }

    void helpZeroIsAGif()
    {
        const QString path = repoPath("data/Helps/m0.gif");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(6).startsWith("GIF8"));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("gif"));
        const QImage img = reader.read();
        QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(img.size(), QSize(21, 21));
        // Its one transparent colour lets the button show round the ring, as round the others.
        QVERIFY(img.hasAlphaChannel());
        for (const QPoint corner : {QPoint(0, 0), QPoint(20, 20), QPoint(10, 10)})
            QCOMPARE(qAlpha(img.pixel(corner)), 0);
        verifyRing(Ink(img));
    }

    // The resource list names every picture and nothing that is missing.
    void resourceListIsComplete()
    {
        QFile qrc(artPath("mipart.qrc"));
        QVERIFY(qrc.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString text = QString::fromUtf8(qrc.readAll());
        QVERIFY(text.contains(QRegularExpression(R"(<qresource\s+prefix="/mip">)")));
        QStringList listed;
        for (const auto &m : QRegularExpression("<file>([^<]+)</file>").globalMatch(text))
            listed << m.captured(1);
        for (const QString &name : listed)
            QVERIFY2(QFile::exists(artPath(name)), qPrintable(name));
        for (int h = 1; h <= 12; ++h)
            for (const char *suffix : {".png", "@2x.png"})
                QVERIFY(listed.contains(QString("hour-%1%2").arg(h, 2, 10, QChar('0')).arg(suffix)));
        for (int d = 0; d <= 9; ++d)
            for (const char *suffix : {".png", "@2x.png"})
                QVERIFY(listed.contains(QString("digit-%1%2").arg(d).arg(suffix)));
        QCOMPARE(listed.size(), 44);
    }
};

QTEST_MAIN(TestMipArt)
#include "tst_mipart.moc"
