#include "Checks.h"

#include "Samples.h"
#include "help/RtfReader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>

namespace vrim {

namespace {

bool expect(bool ok, const QString &path, const QString &what)
{
    if (!ok)
        std::fprintf(stderr, "FAILED %s: %s\n", qPrintable(path), qPrintable(what));
    return ok;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Sizes in pixels, 15 twips to the pixel.
QSize pixels(int widthTwips, int heightTwips) { return {widthTwips / 15, heightTwips / 15}; }

// The mean difference of two pictures of one size, per colour channel, 0..255.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

// The words of a text, for comparing what the author wrote with what the reader is shown:
// punctuation is left out, so typographic quotes and dashes do not count as changes.
QStringList wordsOf(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("[\\p{L}\\p{N}]+"));
    QStringList words;
    for (auto it = word.globalMatch(text); it.hasNext();)
        words << it.next().captured();
    return words;
}

// A help page's Markdown with its markup taken away: heading marks, list markers, links'
// targets. A line that continues a paragraph and starts with a number and a dot is a list
// item only when the number is 1 or the line is outdented from the item it follows (as
// CommonMark has it): otherwise the author was writing a sentence that wrapped at "8.".
QString markdownText(const QString &source)
{
    static const QRegularExpression heading(QStringLiteral("^#+\\s+"));
    static const QRegularExpression item(QStringLiteral("^(\\s*)([-*+]|(\\d+)[.)])\\s+"));
    static const QRegularExpression link(QStringLiteral("!?\\[([^\\]]*)\\]\\([^)]*\\)"));
    static const QRegularExpression nonSpace(QStringLiteral("\\S"));
    QStringList out;
    bool paragraphGoesOn = false;
    qsizetype itemColumn = -1; // where the text of the list item last begun starts
    for (QString line : source.split(u'\n')) {
        if (line.trimmed().isEmpty()) {
            paragraphGoesOn = false;
            out << QString();
            continue;
        }
        line.remove(heading);
        const QRegularExpressionMatch marker = item.match(line);
        if (marker.hasMatch()) {
            const bool numbered = marker.capturedLength(3) > 0;
            const bool interrupts =
                paragraphGoesOn && (itemColumn < 0 || marker.capturedLength(1) >= itemColumn);
            if (!numbered || !interrupts || marker.captured(3) == u"1") {
                itemColumn = marker.capturedLength();
                line = line.mid(itemColumn);
            }
        } else if (!paragraphGoesOn && line.indexOf(nonSpace) < itemColumn) {
            itemColumn = -1; // a paragraph after the list
        }
        out << line.replace(link, QStringLiteral("\\1"));
        paragraphGoesOn = true;
    }
    return out.join(u'\n');
}

// What the program shows of a page, without the labels a writer puts before list items
// ("\u2022" or "3." and a tab).
QString pageText(const QByteArray &rtf)
{
    static const QRegularExpression label(QStringLiteral("^\\S{1,4}\\t"),
                                          QRegularExpression::MultilineOption);
    return rtf::read(rtf).plainText().remove(label);
}

const char *const Pages[] = {"VrimHlp", "PerrinHlp", "lumboHlp",   "gantoHlp", "QuenzHlp",
                             "dovHlp",  "JolvexHlp", "OstranaHlp", "norviHlp", "MipHlp"};

const char *const Samples[] = {"data/Helps/vrimsample.jpg",    "data/Helps/jolvexsample.gif",
                               "data/Helps/norvisample.jpg",   "data/Helps/Quenzsample.jpg",
                               "data/Helps/Mipsample.jpg",     "src/help/art/lumbocont.png",
                               "src/help/art/lumbocont@2x.png"};

} // namespace

bool checkHelpPages(const QString &repo)
{
    bool ok = true;
    const QList<QByteArray> recorded = readAll(repo + QStringLiteral("/docs/help/pages.sums")).split('\n');
    for (const char *name : Pages) {
        const QString page = QString::fromLatin1(name);
        const QString path = repo + QStringLiteral("/data/Helps/") + page + QStringLiteral(".rtf");
        const QByteArray rtf = readAll(path);
        const QByteArray source =
            readAll(repo + QStringLiteral("/docs/help/") + page + QStringLiteral(".md"));
        ok &= expect(rtf.startsWith("{\\rtf1") && rtf.count('{') == rtf.count('}'), path,
                     QStringLiteral("not a whole rich-text file"));
        if (!expect(!source.isEmpty(), path, QStringLiteral("the page has no source"))) {
            ok = false;
            continue;
        }
        // The page's first heading is its title, and the page says it.
        const QByteArray title = source.left(source.indexOf('\n')).mid(2);
        ok &= expect(rtf.contains(title), path, QStringLiteral("does not say its title"));
        const QByteArray made = sha256(source) + "  " + sha256(rtf) + "  " + name + ".rtf";
        ok &= expect(recorded.contains(made), path,
                     QStringLiteral("was not remade from its source: run tools/make-help.sh"));

        // No words lost, or made into list labels by a misread line of the source.
        const QStringList shown = wordsOf(pageText(rtf));
        const QStringList written = wordsOf(markdownText(QString::fromUtf8(source)));
        qsizetype same = 0;
        while (same < shown.size() && same < written.size() && shown[same] == written[same])
            ++same;
        ok &= expect(same == shown.size() && same == written.size(), path,
                     QStringLiteral("after \"%1\" the page shows \"%2\", its source says \"%3\"")
                         .arg(written.mid(std::max<qsizetype>(0, same - 6), 6).join(u' '),
                              shown.mid(same, 6).join(u' '), written.mid(same, 6).join(u' ')));
    }
    return ok;
}

bool checkSamplePictures(const QString &helps, const QString &art)
{
    struct Sample {
        QString path;
        QByteArray format, magic;
        QSize box;
        bool fitted; // fitted into the box, proportions kept, or filling it
    };
    const QByteArray jpeg("\xff\xd8\xff"), gif("GIF8"), png("\x89PNG");
    const QSize pictureBox = pixels(1785, 1755);
    const Sample samples[] = {
        {helps + QStringLiteral("/vrimsample.jpg"), "jpeg", jpeg, pictureBox, true},
        {helps + QStringLiteral("/jolvexsample.gif"), "gif", gif, pictureBox, true},
        {helps + QStringLiteral("/norvisample.jpg"), "jpeg", jpeg, pixels(1410, 3390), false},
        {helps + QStringLiteral("/Quenzsample.jpg"), "jpeg", jpeg, pixels(3405, 3000), false},
        {helps + QStringLiteral("/Mipsample.jpg"), "jpeg", jpeg, pixels(1005, 2280), false},
        {art + QStringLiteral("/lumbocont.png"), "png", png, pixels(9000, 960), false},
        {art + QStringLiteral("/lumbocont@2x.png"), "png", png, pixels(9000, 960) * 2, false},
    };
    bool ok = true;
    for (const Sample &sample : samples) {
        if (!expect(readAll(sample.path).startsWith(sample.magic), sample.path,
                    QStringLiteral("the file is not what its name says"))) {
            ok = false;
            continue;
        }
        QImageReader reader(sample.path);
        const QByteArray format = reader.format();
        const QImage picture = reader.read();
        ok &= expect(format == sample.format && !picture.isNull(), sample.path,
                     QStringLiteral("unreadable as ") + QString::fromLatin1(sample.format));
        const QSize size = picture.size(), box = sample.box;
        ok &= expect(sample.fitted ? size.width() <= box.width() && size.height() <= box.height() &&
                                         (size.width() == box.width() || size.height() == box.height())
                                   : size == box,
                     sample.path, QStringLiteral("not fitted to its box"));
    }
    return ok;
}

bool checkSamplesAreCurrent(const QString &repo)
{
    QTemporaryDir fresh;
    if (!renderSamples(repo + QStringLiteral("/data"), fresh.path(), fresh.path()))
        return false;
    bool ok = true;
    // A little leeway allows for another machine's font rendering.
    for (const char *kept : Samples) {
        const QString path = repo + u'/' + QString::fromLatin1(kept);
        const QImage inTree(path), now(fresh.path() + u'/' + QFileInfo(path).fileName());
        ok &= expect(!inTree.isNull() && inTree.size() == now.size() && meanDifference(inTree, now) < 2.0,
                     path, QStringLiteral("is stale: run tools/make-samples.sh"));
    }
    return ok;
}

} // namespace vrim
