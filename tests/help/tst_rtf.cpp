// The help pages' RTF reader (fuzz_rtf runs it under libFuzzer) and the document the help page
// window builds from it.
#include "help/RtfReader.h"
#include "help/RtfTextDocument.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

#include <array>
#include <climits>

using namespace vrim;

namespace {

// A document as one line: paragraphs joined by '|', each "{its format}" when not the default,
// then its runs as "[format]text" ("[]" is the default format) and pictures as "<png 4>".
QString describe(const rtf::Document &doc)
{
    QStringList paragraphs;
    for (const rtf::Paragraph &p : doc.paragraphs) {
        QStringList f;
        const auto add = [&f](const char *name, bool on, int value) {
            if (on)
                f << QLatin1String(name) + (value == INT_MIN ? QString() : QString::number(value));
        };
        add(std::array{"", "qc", "qr", "qj"}[int(p.format.align)], p.format.align != rtf::Align::Left,
            INT_MIN);
        add("li", p.format.leftTwips != 0, p.format.leftTwips);
        add("ri", p.format.rightTwips != 0, p.format.rightTwips);
        add("fi", p.format.firstTwips != 0, p.format.firstTwips);
        add("sa", p.format.afterTwips != 0, p.format.afterTwips);
        add("h", p.format.headingLevel != 0, p.format.headingLevel);
        for (const int tab : p.format.tabTwips)
            add("tx", true, tab);
        QString line = f.isEmpty() ? QString() : u'{' + f.join(u' ') + u'}';
        for (const rtf::Run &run : p.runs) {
            if (run.picture >= 0) {
                const rtf::Picture &pic = doc.pictures[run.picture];
                line += QStringLiteral("<%1 %2>")
                            .arg(QLatin1String(std::array{"png", "jpeg", "other"}[int(pic.kind)]))
                            .arg(pic.data.size());
                continue;
            }
            const rtf::CharFormat &c = run.format;
            f.clear();
            add("b", c.bold, INT_MIN);
            add("i", c.italic, INT_MIN);
            add("u", c.underline, INT_MIN);
            add("fs", c.halfPoints != 24, c.halfPoints);
            add("cf", c.colour != 0, c.colour);
            add("f", c.font >= 0, c.font);
            line += u'[' + f.join(u' ') + u']' + run.text;
        }
        paragraphs << line;
    }
    return paragraphs.join(u'|');
}

QByteArray kept(const char *name)
{
    QFile file(QStringLiteral(RTF_TEST_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int imagesIn(const QTextDocument &document)
{
    int images = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            images += it.fragment().charFormat().isImageFormat();
    return images;
}

} // namespace

class TestRtf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlWords()
    {
        const std::tuple<const char *, QByteArray, QString> rows[] = {
            // name, input, its description
            // clang-format off
            {"text", R"({\rtf1 Hello, world})", "[]Hello, world"},
            {"par, empty paragraphs kept", R"({\rtf1 a\par\par b\par})", "[]a||[]b"},
            {"line", R"({\rtf1 a\line b})", u"[]a\u2028b"_qs},
            {"tab", R"({\rtf1 a\tab b})", "[]a\tb"},
            {"bold on and off", R"({\rtf1 a\b b\b0 c})", "[]a[b]b[]c"},
            {"italic in a group", R"({\rtf1 a{\i b}c})", "[]a[i]b[]c"},
            {"underline, ul0, ulnone", R"({\rtf1\ul a\ulnone b\ul c\ul0 d})", "[u]a[]b[u]c[]d"},
            {"plain resets", R"({\rtf1\b\i\fs40 a\plain b})", "[b i fs40]a[]b"},
            {"font size", R"({\rtf1\fs20 a})", "[fs20]a"},
            {"colour", R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf1 a})", "[cf1]a"},
            {"font table not text", R"({\rtf1{\fonttbl{\f0 Arial;}{\f1\fmodern Courier New;}}\f1 a})", "[f1]a"},
            {"qc then pard", R"({\rtf1\qc a\par\pard b})", "{qc}[]a|[]b"},
            {"qr qj ql", R"({\rtf1\qr a\par\qj b\par\ql c})", "{qr}[]a|{qj}[]b|[]c"},
            {"indents", R"({\rtf1\li720\ri100\fi-360\sa180 a})", "{li720 ri100 fi-360 sa180}[]a"},
            {"hex in 1252", R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'80\'96})", u"[]café €\u2013"_qs},
            {"hex in 1251", R"({\rtf1\ansi\ansicpg1251 \'c4\'e0})", u"[]Да"_qs},
            {"hex, unknown page: Latin-1", R"({\rtf1\ansicpg77 \'80\'e9})", u"[]\u0080é"_qs},
            {"fcharset of the font", R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 A;}{\f1\fcharset204 B;}}\'e9\f1\'e9})", u"[]é[f1]й"_qs},
            {"u skips one", R"({\rtf1 caf\u233? x})", u"[]café x"_qs},
            {"uc2 skips two hex", R"({\rtf1\uc2\u8212\'97\'97 a})", u"[]\u2014 a"_qs},
            {"uc0", R"({\rtf1\uc0\u233 x})", u"[]éx"_qs},
            {"negative u", R"({\rtf1\u-3913?})", u"[]\uF0B7"_qs},
            {"NUL from hex or u dropped", R"({\rtf1 a\'00\u0?b})", "[]ab"},
            {"uc belongs to its group", R"({\rtf1{\uc2\u233 ab}\u233 ab})", u"[]ééb"_qs},
            {"escapes", R"({\rtf1 \\ \{ \}})", R"([]\ { })"},
            {"symbols", R"({\rtf1 a\~b\-c\_d\bullet})", u"[]a\u00A0b\u00ADc\u2011d\u2022"_qs},
            {"starred destination skipped", R"({\rtf1{\*\unknown hidden{x}}shown})", "[]shown"},
            {"known destinations skipped", R"({\rtf1{\stylesheet{\s0 Normal;}}{\info{\title T}}a})", "[]a"},
            {"unknown word ignored", R"({\rtf1\foo12 a})", "[]a"},
            {"bin bytes are not text", "{\\rtf1 a\\bin3 }{}b}", "[]ab"},
            {"other pictures: there, bytes not kept", R"({\rtf1 a{\pict\wmetafile8 0102}b})", "[]a<other 0>[]b"},
            {"png picture", R"({\rtf1 a{\pict\pngblip\picwgoal300 89 50 4e 47}b})", "[]a<png 4>[]b"},
            {"jpeg picture in bin", "{\\rtf1{\\pict\\jpegblip\\bin2 xy}}", "<jpeg 2>"},
            {"shppict shown, nonshppict not", R"({\rtf1{\*\shppict{\pict\pngblip 00}}{\nonshppict{\pict\wmetafile8 00}}})", "<png 1>"},
            {"a shape's picture, not its fill or its stand-in", R"({\rtf1{\shp{\*\shpinst{\sp{\sn fillBlip}{\sv{\pict\pngblip 01}}}{\sp{\sn pib}{\sv{\pict\pngblip 0203}}}})" R"({\shprslt{\pict\wmetafile8 04}}}})", "<png 2>"},
            {"a shape without a picture: its stand-in", R"({\rtf1{\shp{\*\shpinst{\sp{\sn shapeType}{\sv 202}}}{\shprslt text}}})", "[]text"},
            {"line ends in the file", "{\\rtf1 a\r\nb}", "[]ab"},
            {"backslash line end is par", "{\\rtf1 a\\\nb}", "[]a|[]b"},
            {"the document ends with its group", "{\\rtf1 a}b", "[]a"},
            {"outline level", R"({\rtf1\outlinelevel0\b a\par})", "{h1}[b]a"},
            // clang-format on
            // Written by pandoc 2.17 (Debian 12) from pandoc-page.md beside it:
            // pandoc -s -f markdown -t rtf pandoc-page.md -o pandoc-page.rtf
            {"a page as pandoc writes it", kept("pandoc-page.rtf"),
             QStringList{
                 "{sa180 h1}[b fs36 f0]The Dov clock",
                 u"{sa180}[f0]The [b f0]Dov[f0] clock shows the [i f0]hours[f0] and minutes \u2014 a café clock."_qs,
                 "{sa180 h2}[b fs32 f0]Its menu",
                 u"{li360 fi-360 tx360}[f0]\u2022\t[b f0]Help[f0] opens this page"_qs,
                 u"{li360 fi-360 tx360}[f0]\u2022\tSkin Manager"_qs,
                 u"{li360 fi-360 sa180 tx360}[f0]\u2022\tChimes"_qs, "{li360 fi-360 tx360}[f0]1.\tFirst step",
                 "{li360 fi-360 sa180 tx360}[f0]2.\tSecond step",
                 "{sa180}[f0]Type [f1]vrimclocks[f0] to start it."}
                 .join(QLatin1Char('|'))}};
        for (const auto &[name, rtf, expected] : rows) {
            const QString described = describe(rtf::read(rtf));
            QVERIFY2(described == expected, qPrintable(name + u": "_qs + described));
        }
    }

    // A limit stops the reading, and what was read before it stays.
    void limitsKeepWhatWasRead()
    {
        const rtf::Document text = rtf::read("{\\rtf1 " + QByteArray(rtf::MaxChars + 10, 'x'));
        QVERIFY(text.truncated);
        QCOMPARE(text.plainText().remove(QLatin1Char('\n')).size(), rtf::MaxChars);
        QCOMPARE(text.paragraphs.size(), rtf::MaxChars / rtf::MaxParagraphChars);
        const rtf::Document runs = rtf::read("{\\rtf1 " + QByteArray("\\b a\\b0 b").repeated(5000));
        QCOMPARE(runs.paragraphs[0].runs.size(), rtf::MaxParagraphRuns); // its text all there
        QCOMPARE(runs.plainText().size(), 10000);
        const rtf::Document paragraphs = rtf::read("{\\rtf1 " + QByteArray("a\\par ").repeated(rtf::MaxRuns));
        QVERIFY(paragraphs.truncated);
        QVERIFY(paragraphs.paragraphs.size() < rtf::MaxRuns);
    }

    // Whatever the input, the reading ends with the text before the trouble, and no control characters.
    void hostileInputs()
    {
        const QByteArray deep = QByteArray(100000, '{') + "x" + QByteArray(100000, '}');
        const std::tuple<const char *, QByteArray, QString> rows[] = {
            // name, input, text still read
            // clang-format off
            {"unclosed groups", R"({\rtf1 {{{a)", "a"},
            {"closing braces too many", R"(}}}{\rtf1 a}}}})", "a"},
            {"100 000 nested groups", QByteArray("{\\rtf1 a" + deep + "b}"), "ab"},
            {"huge bin", R"({\rtf1 a\bin2147483647 xyz)", "a"},
            {"bin past 64 bits", R"({\rtf1 a\bin99999999999999999999999 x)", "a"},
            {"negative bin", R"({\rtf1 a\bin-5 b})", "ab"},
            {"truncated hex", R"({\rtf1 a\')", "a"},
            {"truncated hex digit", R"({\rtf1 a\'4)", "a"},
            {"hex before a brace", R"({\rtf1 a{\'4}b})", "ab"},
            {"truncated u", R"({\rtf1 a\u)", "a"},
            {"truncated u minus", R"({\rtf1 a\u-)", "a"},
            {"u out of range", R"({\rtf1 a\u99999999999 ?b})", "ab"},
            {"lone backslash", QByteArray("{\\rtf1 a\\"), "a"},
            {"NUL bytes", QByteArray("{\\rtf1 a\0b\0}", 11), "ab"},
            {"10 MB of {", QByteArray(10 * 1024 * 1024, '{'), QString()},
            {"a word 100 000 letters long", QByteArray("{\\rtf1 a\\" + QByteArray(100000, 'x') + " b}"), "ab"},
            {"unclosed picture", R"({\rtf1 a{\pict\pngblip 8950)", "a"},
            {"huge sizes", R"({\rtf1\fs99999999\li-99999999\fi99999999\cf99 a})", "a"},
            {"a million paragraphs", QByteArray("{\\rtf1 a" + QByteArray("\\par ").repeated(1000000)), "a"},
            // clang-format on
        };
        for (const auto &[name, rtf, shown] : rows) {
            const rtf::Document doc = rtf::read(rtf);
            const QString text = doc.plainText();
            QVERIFY2(text.startsWith(shown), name);
            QVERIFY2(std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c < u'\t'; }), name);
            QVERIFY2(doc.paragraphs.size() <= rtf::MaxRuns, name);
        }
    }

    // What the reader found reaches the text's formats and pictures; new content replaces the old.
    void formats()
    {
        QTextDocument document;
        document.setPlainText(QStringLiteral("what was there before"));
        fillFromRtf(document, kept("pandoc-page.rtf"));
        QVERIFY(!document.toPlainText().contains(QStringLiteral("before")));
        QCOMPARE(document.blockCount(), 9);
        const QTextBlock heading = document.firstBlock();
        QCOMPARE(heading.blockFormat().headingLevel(), 1);
        QCOMPARE(heading.begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(heading.begin().fragment().charFormat().fontPointSize(), 18.0);
        const QTextFragment code = (++document.lastBlock().begin()).fragment();
        QCOMPARE(code.text(), QStringLiteral("vrimclocks"));
        QCOMPARE(code.charFormat().fontFamilies().toStringList(), QStringList{u"Courier"_qs});

        fillFromRtf(document,
                    R"({\rtf1{\colortbl;\red255\green0\blue0;}\qc\cf1\i\ul red\par\pard\qr right})");
        const QTextCharFormat format = document.firstBlock().begin().fragment().charFormat();
        QCOMPARE(format.foreground().color(), QColor(255, 0, 0));
        QVERIFY(format.fontItalic() && format.fontUnderline());
        QCOMPARE(document.firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(document.lastBlock().blockFormat().alignment(), Qt::AlignRight);

        // A PNG is drawn at its goal size.
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        fillFromRtf(document, "{\\rtf1 a{\\pict\\pngblip\\picwgoal300\\pichgoal150 " + png.toHex() + "}b}");
        QCOMPARE(document.toPlainText().remove(QChar::ObjectReplacementCharacter), QStringLiteral("ab"));
        image = QImage(document.size().toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        document.drawContents(&painter);
        painter.end();
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                red += image.pixelColor(x, y) == Qt::red;
        QCOMPARE(red, 20 * 10);
    }

    // Pages as word processors write them, and damaged ones. LibreOffice Writer wrote its pages
    // (make-libreoffice-pages.sh); the WordPad one is written by hand in the shape WordPad gives
    // its files (bullets from \pntext, \fi-360\li720 and no tab stop; pictures as metafiles).
    void pages()
    {
        const QByteArray lists = kept("libreoffice-lists.rtf"), wordPad = kept("wordpad-bullets.rtf");
        const QByteArray hiddenAndPicture = kept("libreoffice-hidden-picture.rtf");
        const QString picture = QStringLiteral("[picture]");
        // Each row: its name, the page, a list item that wraps (its text lines up), text the page
        // shows, text it must not show, the pictures drawn.
        const std::tuple<const char *, QByteArray, QString, QString, QString, int> rows[] = {
            // clang-format off
            {"pandoc bullets", kept("pandoc-page.rtf"), "Help opens", "The Dov clock", "", 0},
            {"LibreOffice bullets", lists, "Bullet one", "Bullet two.", "", 0},
            {"LibreOffice numbered list", lists, "Step one", "Step two.", "", 0},
            {"WordPad bullets, no tab stop", wordPad, "Bullet one", "Bullet two.", "", 0},
            {"LibreOffice hidden text", hiddenAndPicture, "", "Shown text.", "HIDDEN", 1},
            {"LibreOffice picture in a shape", hiddenAndPicture, "", "Red \uFFFC square.", picture, 1},
            {"WordPad metafile", wordPad, "", "A pasted picture: [picture]", "", 0},
            {"broken PNG", R"({\rtf1 a{\pict\pngblip 89504e470d0a1a0a0000}b})", "", "a[picture]b", "", 0},
            {"broken JPEG", R"({\rtf1 a{\pict\jpegblip ffd8ffe000104a464946}b})", "", "a[picture]b", "", 0},
            {"hidden picture", R"({\rtf1 a{\v{\pict\emfblip 0102}}b})", "", "ab", picture, 0},
            {"not RTF at all", QByteArray("plain words"), "", "plain words", "", 0},
            {"many paragraphs", QByteArray("{\\rtf1 a" + QByteArray("\\par ").repeated(300000)), "", "a", "", 0},
            // clang-format on
        };
        for (const auto &[name, rtf, item, shown, notShown, images] : rows) {
            QVERIFY2(!rtf.isEmpty(), name);
            QTextDocument document;
            fillFromRtf(document, rtf);
            const QString text = document.toPlainText();
            QVERIFY2(text.contains(shown), qPrintable(name + u": "_qs + text));
            QVERIFY2(notShown.isEmpty() || !text.contains(notShown), qPrintable(name + u": "_qs + text));
            QCOMPARE(imagesIn(document), images);
            if (item.isEmpty())
                continue;
            // The item's text after its bullet or number and tab starts where its wrapped line does.
            document.setTextWidth(120); // narrow: every item wraps
            document.size();            // lays the document out
            QTextBlock block = document.begin();
            while (block.isValid() && !block.text().contains(item))
                block = block.next();
            QVERIFY2(block.isValid(), name);
            const QTextLayout *layout = block.layout();
            QVERIFY2(layout->lineCount() >= 2, name);
            const int afterTab = int(block.text().indexOf(u'\t')) + 1;
            QVERIFY(afterTab > 0);
            const QTextLine first = layout->lineAt(0), second = layout->lineAt(1);
            QCOMPARE(first.cursorToX(afterTab), second.cursorToX(second.textStart()));
            QVERIFY(second.cursorToX(second.textStart()) > 0); // indented, not at the page's edge
        }
    }
};

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
