// The help's installation files as they are kept in the tree: every page is rich text made from
// its source by tools/make-help.sh (and remade since the source last changed), and every sample
// picture is what its name says, at the size its window or picture box gives it, and shows what
// the clock shows today.
#include "Samples.h"
#include "help/RtfReader.h"

#include <QtTest>

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString repoPath(const QString &relative) { return QStringLiteral(QT_TESTCASE_SOURCEDIR "/../") + relative; }

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
        } else if (!paragraphGoesOn && line.indexOf(QRegularExpression(QStringLiteral("\\S"))) < itemColumn) {
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
    return vrim::rtf::read(rtf).plainText().remove(label);
}

const char *const Pages[] = {"VrimHlp", "PerrinHlp", "lumboHlp",   "gantoHlp", "QuenzHlp",
                             "dovHlp",  "JolvexHlp", "OstranaHlp", "norviHlp", "MipHlp"};

} // namespace

class TestHelpFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Q_INIT_RESOURCE(helpart); }

    void pageIsRichTextMadeFromItsSource_data()
    {
        QTest::addColumn<QString>("page");
        for (const char *page : Pages)
            QTest::newRow(page) << QString::fromLatin1(page);
    }
    void pageIsRichTextMadeFromItsSource()
    {
        QFETCH(QString, page);
        const QByteArray rtf =
            readAll(repoPath(QStringLiteral("data/Helps/") + page + QStringLiteral(".rtf")));
        QVERIFY2(rtf.startsWith("{\\rtf1"), "not a rich-text file");
        QCOMPARE(rtf.count('{'), rtf.count('}'));
        const QByteArray source =
            readAll(repoPath(QStringLiteral("docs/help/") + page + QStringLiteral(".md")));
        QVERIFY2(!source.isEmpty(), "the page has no source");
        // The page's first heading is its title, and the page says it.
        const QByteArray title = source.left(source.indexOf('\n')).mid(2);
        QVERIFY2(rtf.contains(title), title.constData());

        // make-help.sh records the source each page was made from.
        const QByteArray expected = sha256(source) + "  " + sha256(rtf) + "  " + page.toLatin1() + ".rtf";
        const QList<QByteArray> recorded =
            readAll(repoPath(QStringLiteral("docs/help/pages.sums"))).split('\n');
        if (!recorded.contains(expected))
            QFAIL("the page was not remade from its source: run tools/make-help.sh");
    }

    // The page says what its author wrote, word for word: no words lost or made into list
    // labels by a misread line of the source.
    void pageSaysItsSourceWordForWord_data() { pageIsRichTextMadeFromItsSource_data(); }
    void pageSaysItsSourceWordForWord()
    {
        QFETCH(QString, page);
        const QStringList shown = wordsOf(
            pageText(readAll(repoPath(QStringLiteral("data/Helps/") + page + QStringLiteral(".rtf")))));
        const QStringList written = wordsOf(markdownText(QString::fromUtf8(
            readAll(repoPath(QStringLiteral("docs/help/") + page + QStringLiteral(".md"))))));
        QVERIFY(!written.isEmpty());
        qsizetype same = 0;
        while (same < shown.size() && same < written.size() && shown[same] == written[same])
            ++same;
        QVERIFY2(same == shown.size() && same == written.size(),
                 qPrintable(QStringLiteral("after \"%1\" the page shows \"%2\", its source says \"%3\"")
                                .arg(written.mid(std::max<qsizetype>(0, same - 6), 6).join(u' '),
                                     shown.mid(same, 6).join(u' '), written.mid(same, 6).join(u' '))));
    }

    void samplePictureIsWhatItSays_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QByteArray>("magic");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<bool>("fitted"); // fitted into the box, proportions kept, or filling it

        const QByteArray jpeg("\xff\xd8\xff"), gif("GIF8"), png("\x89PNG");
        const QSize pictureBox = pixels(1785, 1755);
        // clang-format off
        QTest::newRow("Vrimcolor in the page") << "data/Helps/vrimsample.jpg" << QByteArray("jpeg") << jpeg << pictureBox << true;
        QTest::newRow("Jolvex in the page") << "data/Helps/jolvexsample.gif" << QByteArray("gif") << gif << pictureBox << true;
        QTest::newRow("norviSample") << "data/Helps/norvisample.jpg" << QByteArray("jpeg") << jpeg << pixels(1410, 3390) << false;
        QTest::newRow("QuenzSample") << "data/Helps/Quenzsample.jpg" << QByteArray("jpeg") << jpeg << pixels(3405, 3000) << false;
        QTest::newRow("MipSample") << "data/Helps/Mipsample.jpg" << QByteArray("jpeg") << jpeg << pixels(1005, 2280) << false;
        QTest::newRow("lumbocont") << ":/help/lumbocont.png" << QByteArray("png") << png << pixels(9000, 960) << false;
        QTest::newRow("lumbocont, dense") << ":/help/lumbocont@2x.png" << QByteArray("png") << png << pixels(9000, 960) * 2 << false;
        // clang-format on
    }
    void samplePictureIsWhatItSays()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, format);
        QFETCH(QByteArray, magic);
        QFETCH(QSize, box);
        QFETCH(bool, fitted);
        const QString file = path.startsWith(u':') ? path : repoPath(path);
        QVERIFY2(readAll(file).startsWith(magic), "the file is not what its name says");
        QImageReader reader(file);
        QCOMPARE(reader.format(), format);
        const QImage picture = reader.read();
        QVERIFY2(!picture.isNull(), qPrintable(reader.errorString()));
        if (fitted) {
            QVERIFY(picture.width() <= box.width() && picture.height() <= box.height());
            QVERIFY(picture.width() == box.width() || picture.height() == box.height());
        } else {
            QCOMPARE(picture.size(), box);
        }
    }

    // The pictures kept in the tree are the ones the clocks draw now: a changed face needs
    // tools/make-samples.sh. A little leeway allows for another machine's font rendering.
    void samplesShowTheClocksAsTheyAre()
    {
        QTemporaryDir fresh;
        QVERIFY(vrim::renderSamples(repoPath(QStringLiteral("data")), fresh.path(), fresh.path()));
        const QStringList kept = {
            QStringLiteral("data/Helps/vrimsample.jpg"),    QStringLiteral("data/Helps/jolvexsample.gif"),
            QStringLiteral("data/Helps/norvisample.jpg"),   QStringLiteral("data/Helps/Quenzsample.jpg"),
            QStringLiteral("data/Helps/Mipsample.jpg"),     QStringLiteral("src/help/art/lumbocont.png"),
            QStringLiteral("src/help/art/lumbocont@2x.png")};
        for (const QString &path : kept) {
            const QImage inTree(repoPath(path)), now(fresh.path() + u'/' + QFileInfo(path).fileName());
            QVERIFY2(!inTree.isNull() && inTree.size() == now.size(), qPrintable(path));
            QVERIFY2(meanDifference(inTree, now) < 2.0,
                     qPrintable(path + QStringLiteral(" is stale: run tools/make-samples.sh")));
        }
    }
};

QTEST_MAIN(TestHelpFiles)
#include "tst_helpfiles.moc"
