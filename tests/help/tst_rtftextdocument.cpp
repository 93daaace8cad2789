// The document the help page window shows, built from RTF: what the reader found reaches the
// text's formats, pictures are drawn, and damaged input still fills the document.
#include "help/RtfTextDocument.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

using namespace vrim;

namespace {

QByteArray pngHex(QColor colour)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png.toHex();
}

int pixelsOf(QTextDocument &document, QColor colour)
{
    QImage image(document.size().toSize().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    document.drawContents(&painter);
    painter.end();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
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

class TestRtfTextDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What the reader found reaches the text's formats; new content replaces the old.
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
        const QTextCharFormat red = document.firstBlock().begin().fragment().charFormat();
        QCOMPARE(red.foreground().color(), QColor(255, 0, 0));
        QVERIFY(red.fontItalic() && red.fontUnderline());
        QCOMPARE(document.firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(document.lastBlock().blockFormat().alignment(), Qt::AlignRight);
    }

    // A PNG is drawn at its goal size.
    void pictures()
    {
        QTextDocument document;
        fillFromRtf(document,
                    "{\\rtf1 a{\\pict\\pngblip\\picwgoal300\\pichgoal150 " + pngHex(Qt::red) + "}b}");
        QCOMPARE(document.toPlainText().remove(QChar::ObjectReplacementCharacter), QStringLiteral("ab"));
        QCOMPARE(pixelsOf(document, Qt::red), 20 * 10);
    }

    // Pages as word processors write them, and damaged ones. The pandoc page is described in
    // tst_rtfreader; the LibreOffice ones were written by LibreOffice Writer
    // from the sources beside them (make-libreoffice-pages.sh); the WordPad one is written by
    // hand in the shape WordPad gives its files (bullets from \pntext, \fi-360\li720 and no tab
    // stop; pasted pictures as metafiles), as WordPad does not run here.
    void pages_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("item");     // a list item that wraps: its text lines up
        QTest::addColumn<QString>("shown");    // text the page shows
        QTest::addColumn<QString>("notShown"); // text it must not show
        QTest::addColumn<int>("images");       // pictures drawn
        const QByteArray lists = kept("libreoffice-lists.rtf"), wordPad = kept("wordpad-bullets.rtf");
        const QByteArray hiddenAndPicture = kept("libreoffice-hidden-picture.rtf");
        const QString none;
        const QString picture = QStringLiteral("[picture]");
        // clang-format off
        QTest::newRow("pandoc bullets") << kept("pandoc-page.rtf") << u"Help opens"_qs << u"The Dov clock"_qs << none << 0;
        QTest::newRow("LibreOffice bullets") << lists << u"Bullet one"_qs << u"Bullet two."_qs << none << 0;
        QTest::newRow("LibreOffice numbered list") << lists << u"Step one"_qs << u"Step two."_qs << none << 0;
        QTest::newRow("WordPad bullets, no tab stop") << wordPad << u"Bullet one"_qs << u"Bullet two."_qs << none << 0;
        QTest::newRow("LibreOffice hidden text") << hiddenAndPicture << none << u"Shown text."_qs << u"HIDDEN"_qs << 1;
        QTest::newRow("LibreOffice picture in a shape") << hiddenAndPicture << none << u"Red \uFFFC square."_qs << picture << 1;
        QTest::newRow("WordPad metafile") << wordPad << none << u"A pasted picture: [picture]"_qs << none << 0;
        QTest::newRow("EMF") << QByteArray(R"({\rtf1 a{\pict\emfblip 0102}b})") << none << u"a[picture]b"_qs << none << 0;
        QTest::newRow("Mac PICT") << QByteArray(R"({\rtf1 a{\pict\macpict 0102}b})") << none << u"a[picture]b"_qs << none << 0;
        QTest::newRow("broken PNG") << QByteArray(R"({\rtf1 a{\pict\pngblip 89504e470d0a1a0a0000}b})") << none << u"a[picture]b"_qs << none << 0;
        QTest::newRow("broken JPEG") << QByteArray(R"({\rtf1 a{\pict\jpegblip ffd8ffe000104a464946}b})") << none << u"a[picture]b"_qs << none << 0;
        QTest::newRow("hidden picture") << QByteArray(R"({\rtf1 a{\v{\pict\emfblip 0102}}b})") << none << u"ab"_qs << picture << 0;
        QTest::newRow("not RTF at all") << QByteArray("plain words") << none << u"plain words"_qs << none << 0;
        QTest::newRow("deep groups") << QByteArray("{\\rtf1 a" + QByteArray(100000, '{') + "b") << none << u"a"_qs << none << 0;
        QTest::newRow("many paragraphs") << QByteArray("{\\rtf1 a" + QByteArray("\\par ").repeated(300000)) << none << u"a"_qs << none << 0;
        // clang-format on
    }
    void pages()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, item);
        QFETCH(QString, shown);
        QFETCH(QString, notShown);
        QFETCH(int, images);
        QVERIFY(!rtf.isEmpty());
        QTextDocument document;
        fillFromRtf(document, rtf);
        const QString text = document.toPlainText();
        QVERIFY2(text.contains(shown), qPrintable(text));
        QVERIFY2(notShown.isEmpty() || !text.contains(notShown), qPrintable(text));
        QCOMPARE(imagesIn(document), images);
        if (item.isEmpty())
            return;
        // Where the user looks: the item's first line of text, after its bullet or number and
        // tab, starts where its wrapped line does.
        document.setTextWidth(120); // narrow: every item wraps
        document.size();            // lays the document out
        QTextBlock block = document.begin();
        while (block.isValid() && !block.text().contains(item))
            block = block.next();
        QVERIFY(block.isValid());
        const QTextLayout *layout = block.layout();
        QVERIFY(layout->lineCount() >= 2);
        const int afterTab = int(block.text().indexOf(u'\t')) + 1;
        QVERIFY(afterTab > 0);
        const QTextLine first = layout->lineAt(0), second = layout->lineAt(1);
        QCOMPARE(first.cursorToX(afterTab), second.cursorToX(second.textStart()));
        QVERIFY(second.cursorToX(second.textStart()) > 0); // indented, not at the page's edge
    }
};

QTEST_MAIN(TestRtfTextDocument)
#include "tst_rtftextdocument.moc"
