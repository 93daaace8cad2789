// The Perrin clock's pictures as they are kept in the tree: their sizes, and that any two hours
// look clearly different through the clock's oval.
#include <QtTest>

#include <QImage>

#include <cmath>

namespace {

QString artPath(const QString &name)
{
    return QStringLiteral(QT_TESTCASE_SOURCEDIR "/../src/clocks/perrin/art/") + name;
}

QString hourName(int n, const char *suffix = "")
{
    return QStringLiteral("hour-%1%2.png").arg(n, 2, 10, QLatin1Char('0')).arg(QLatin1String(suffix));
}

// What the window shows of a picture: the ellipse 0,0-133,130 of the window, which lies 13 px
// right of and below the picture's corner.
bool seen(int x, int y)
{
    const double dx = (x + 0.5 - 13 - 66.5) / 66.5, dy = (y + 0.5 - 13 - 65) / 65;
    return dx * dx + dy * dy <= 1;
}

} // namespace

class TestPerrinArt : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyHourAtBothSizes()
    {
        for (int n = 1; n <= 24; ++n) {
            const QImage one(artPath(hourName(n))), two(artPath(hourName(n, "@2x")));
            QCOMPARE(one.size(), QSize(162, 160));
            QCOMPARE(two.size(), QSize(324, 320));
        }
    }

    // The mean difference over the oval, per channel, of the closest pair of hours.
    void anyTwoHoursDifferClearly()
    {
        std::vector<QImage> hours;
        for (int n = 1; n <= 24; ++n)
            hours.push_back(QImage(artPath(hourName(n))).convertToFormat(QImage::Format_RGB32));
        double closest = 1e9;
        QString pair;
        for (size_t a = 0; a < hours.size(); ++a)
            for (size_t b = a + 1; b < hours.size(); ++b) {
                double sum = 0;
                int count = 0;
                for (int y = 0; y < 160; ++y)
                    for (int x = 0; x < 162; ++x) {
                        if (!seen(x, y))
                            continue;
                        const QRgb p = hours[a].pixel(x, y), q = hours[b].pixel(x, y);
                        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                               std::abs(qBlue(p) - qBlue(q));
                        ++count;
                    }
                const double difference = sum / count / 3;
                if (difference < closest) {
                    closest = difference;
                    pair = QStringLiteral("%1 and %2").arg(a + 1).arg(b + 1);
                }
            }
        qInfo("closest hours: %s, %.1f a channel", qPrintable(pair), closest);
        QVERIFY2(closest >= 8, qPrintable(pair));
    }
};

QTEST_MAIN(TestPerrinArt)
#include "tst_perrinart.moc"
