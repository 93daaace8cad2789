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

} // namespace

class TestRtfTextDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pandocPage()
    {
        QFile file(QStringLiteral(RTF_TEST_DATA "/pandoc-page.rtf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTextDocument document;
        document.setPlainText(QStringLiteral("what was there before"));
        fillFromRtf(document, file.readAll());
        QVERIFY(!document.toPlainText().contains(QStringLiteral("before")));
        QCOMPARE(document.blockCount(), 9);

        const QTextBlock heading = document.firstBlock();
        QCOMPARE(heading.text(), QStringLiteral("The Dov clock"));
        QCOMPARE(heading.blockFormat().headingLevel(), 1);
        QCOMPARE(heading.begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(heading.begin().fragment().charFormat().fontPointSize(), 18.0);

        const QTextBlock item = document.findBlockByNumber(3);
        QCOMPARE(item.text(), QStringLiteral("\u2022\tHelp opens this page"));
        QCOMPARE(item.blockFormat().leftMargin(), 24.0); // \li360
        QCOMPARE(item.blockFormat().textIndent(), -24.0);
        // The item's text starts under its wrapped lines, not at a default tab stop.
        document.setTextWidth(400);
        document.size(); // lays the document out
        const QTextLayout *layout = item.layout();
        QVERIFY(layout->lineCount() > 0);
        QCOMPARE(layout->position().x() + layout->lineAt(0).cursorToX(2),
                 document.firstBlock().layout()->position().x() + 24);
        QTextBlock::iterator it = item.begin();
        ++it;
        QCOMPARE(it.fragment().text(), QStringLiteral("Help"));
        QCOMPARE(it.fragment().charFormat().fontWeight(), int(QFont::Bold));

        const QTextBlock code = document.lastBlock();
        it = code.begin();
        ++it;
        QCOMPARE(it.fragment().text(), QStringLiteral("vrimclocks"));
        QCOMPARE(it.fragment().charFormat().fontFamilies().toStringList(), QStringList{u"Courier"_qs});
    }

    void formats()
    {
        QTextDocument document;
        fillFromRtf(document,
                    R"({\rtf1{\colortbl;\red255\green0\blue0;}\qc\cf1\i\ul red\par\pard\qr right})");
        const QTextCharFormat red = document.firstBlock().begin().fragment().charFormat();
        QCOMPARE(red.foreground().color(), QColor(255, 0, 0));
        QVERIFY(red.fontItalic() && red.fontUnderline());
        QCOMPARE(document.firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(document.lastBlock().blockFormat().alignment(), Qt::AlignRight);
    }

    // A PNG is drawn at its goal size; a damaged one is left out and the text goes on.
    void pictures()
    {
        QTextDocument document;
        fillFromRtf(document, "{\\rtf1 a{\\pict\\pngblip\\picwgoal300\\pichgoal150 " + pngHex(Qt::red) +
                                  "}b{\\pict\\pngblip 89504e470d0a1a0a0000}c}");
        QCOMPARE(document.toPlainText().remove(QChar::ObjectReplacementCharacter), QStringLiteral("abc"));
        QCOMPARE(pixelsOf(document, Qt::red), 20 * 10);
    }

    void damagedInputStillFills_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("not RTF at all") << QByteArray("plain words") << u"plain words"_qs;
        QTest::newRow("deep groups") << QByteArray("{\\rtf1 a" + QByteArray(100000, '{') + "b") << u"a"_qs;
        QTest::newRow("many paragraphs")
            << QByteArray("{\\rtf1 a" + QByteArray("\\par ").repeated(300000)) << u"a"_qs;
    }
    void damagedInputStillFills()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QTextDocument document;
        fillFromRtf(document, rtf);
        QCOMPARE(document.firstBlock().text(), text);
    }
};

QTEST_MAIN(TestRtfTextDocument)
#include "tst_rtftextdocument.moc"
