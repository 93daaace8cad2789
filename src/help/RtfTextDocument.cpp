#include "help/RtfTextDocument.h"

#include "help/RtfReader.h"

#include <QColor>
#include <QImage>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>

namespace vrim {

namespace {

// RTF measures in twips; the document in pixels at 96 per inch.
qreal pixels(int twips) { return twips / 15.0; }

QTextBlockFormat blockFormat(const rtf::ParaFormat &para)
{
    QTextBlockFormat format;
    switch (para.align) {
    case rtf::Align::Left:
        format.setAlignment(Qt::AlignLeft);
        break;
    case rtf::Align::Centre:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case rtf::Align::Right:
        format.setAlignment(Qt::AlignRight);
        break;
    case rtf::Align::Justify:
        format.setAlignment(Qt::AlignJustify);
        break;
    }
    // A list item's hanging bullet: the first line starts left of the others (\fi is negative),
    // never left of the page.
    const int left = std::max(0, para.leftTwips);
    format.setLeftMargin(pixels(left));
    format.setRightMargin(pixels(std::max(0, para.rightTwips)));
    const int first = std::max(-left, para.firstTwips);
    format.setTextIndent(pixels(first));
    format.setTopMargin(pixels(para.beforeTwips));
    format.setBottomMargin(pixels(para.afterTwips));
    if (para.headingLevel > 0)
        format.setHeadingLevel(para.headingLevel);
    // RTF counts tab stops from the page's left edge, the layout from where the first line
    // starts: a list's \tx at its \li puts the item's text under its wrapped lines. With a
    // hanging first line and no stop before the left indent, the indent is a stop too (word
    // processors put a bullet's text there; WordPad writes no \tx for it).
    const int start = left + first;
    QList<int> stops = para.tabTwips;
    if (first < 0 &&
        std::none_of(stops.cbegin(), stops.cend(), [&](int t) { return t > start && t <= left; }))
        stops.append(left);
    std::sort(stops.begin(), stops.end());
    QList<QTextOption::Tab> tabs;
    for (const int tab : stops)
        if (tab > start)
            tabs.append(QTextOption::Tab(pixels(tab - start), QTextOption::LeftTab));
    if (!tabs.isEmpty())
        format.setTabPositions(tabs);
    return format;
}

QTextCharFormat charFormat(const rtf::Document &doc, const rtf::CharFormat &chr)
{
    QTextCharFormat format;
    format.setFontWeight(chr.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(chr.italic);
    format.setFontUnderline(chr.underline);
    format.setFontStrikeOut(chr.strike);
    format.setFontPointSize(chr.halfPoints / 2.0);
    if (chr.vertical != 0)
        format.setVerticalAlignment(chr.vertical > 0 ? QTextCharFormat::AlignSuperScript
                                                     : QTextCharFormat::AlignSubScript);
    if (chr.colour > 0 && chr.colour < doc.colours.size() && !doc.colours[chr.colour].automatic) {
        const rtf::Colour &c = doc.colours[chr.colour];
        format.setForeground(QColor(c.red, c.green, c.blue));
    }
    const QString family = doc.fontName(chr.font >= 0 ? chr.font : doc.defaultFont);
    if (!family.isEmpty())
        format.setFontFamilies({family});
    return format;
}

// A picture the document can show: PNG or JPEG that decodes, at its goal size when given.
// Any other leaves a mark, so that the reader knows something is missing there.
void insertPicture(QTextCursor &cursor, const rtf::Picture &picture, int index, const QTextCharFormat &mark)
{
    QImage image;
    if (picture.kind == rtf::Picture::Kind::Other ||
        !image.loadFromData(picture.data, picture.kind == rtf::Picture::Kind::Png ? "PNG" : "JPEG")) {
        cursor.insertText(QStringLiteral("[picture]"), mark);
        return;
    }
    const QUrl name(QStringLiteral("rtfpicture:%1").arg(index));
    cursor.document()->addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat format;
    format.setName(name.toString());
    const qreal width = picture.widthTwips > 0 ? pixels(picture.widthTwips) : image.width();
    const qreal height = picture.heightTwips > 0 ? pixels(picture.heightTwips) : image.height();
    format.setWidth(width * picture.scaleX / 100.0);
    format.setHeight(height * picture.scaleY / 100.0);
    cursor.insertImage(format);
}

} // namespace

void fillFromRtf(QTextDocument &document, const QByteArray &rtf)
{
    const rtf::Document doc = rtf::read(rtf);
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const rtf::Paragraph &paragraph : doc.paragraphs) {
        const QTextBlockFormat block = blockFormat(paragraph.format);
        const QTextCharFormat start = paragraph.runs.isEmpty()
                                          ? charFormat(doc, rtf::CharFormat{})
                                          : charFormat(doc, paragraph.runs.first().format);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(start);
            first = false;
        } else {
            cursor.insertBlock(block, start);
        }
        for (const rtf::Run &run : paragraph.runs) {
            if (run.picture >= 0)
                insertPicture(cursor, doc.pictures[run.picture], run.picture, charFormat(doc, run.format));
            else
                cursor.insertText(run.text, charFormat(doc, run.format));
        }
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}

} // namespace vrim
