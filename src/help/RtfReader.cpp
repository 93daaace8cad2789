#include "help/RtfReader.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace vrim::rtf {

QString Document::fontName(int number) const
{
    for (const Font &font : fonts)
        if (font.number == number)
            return font.name;
    return {};
}

QString Document::plainText() const
{
    QStringList lines;
    lines.reserve(paragraphs.size());
    for (const Paragraph &paragraph : paragraphs) {
        QString line;
        for (const Run &run : paragraph.runs)
            line += run.text;
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

namespace {

// A shape's own group (\shpinst) is read only for the picture it shows, its "pib" property:
// the name of each property (\sn) is kept, its value (\sv) read only when it is that picture.
enum class Dest { Text, Skip, FontTable, ColourTable, Picture, Shape, ShapeName, ShapeValue };

enum class Word {
    Par,
    Line,
    Tab,
    Cell,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    Super,
    Sub,
    NoSuperSub,
    Hidden,
    Plain,
    Pard,
    FontSize,
    ColourFore,
    FontNumber,
    DefaultFont,
    AlignCentre,
    AlignRight,
    AlignLeft,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    OutlineLevel,
    TabStop,
    Unicode,
    UnicodeSkip,
    Binary,
    Pict,
    PngBlip,
    JpegBlip,
    PicWidthGoal,
    PicHeightGoal,
    PicScaleX,
    PicScaleY,
    FontTable,
    ColourTable,
    Red,
    Green,
    Blue,
    CodePage,
    FontCharset,
    Ansi,
    Mac,
    Pc,
    Pca,
    Transparent,
    ShapeStart,
    ShapeInstance,
    ShapePropertyName,
    ShapePropertyValue,
    ShapeResult,
    SkipDestination,
    Character,
};

struct WordInfo {
    Word word;
    char16_t character = 0; // for Word::Character
};

const QHash<QByteArray, WordInfo> &words()
{
    static const QHash<QByteArray, WordInfo> table = [] {
        QHash<QByteArray, WordInfo> t;
        const std::pair<const char *, Word> plain[] = {
            {"par", Word::Par},
            {"sect", Word::Par},
            {"page", Word::Par},
            {"row", Word::Par},
            {"line", Word::Line},
            {"tab", Word::Tab},
            {"cell", Word::Cell},
            {"b", Word::Bold},
            {"i", Word::Italic},
            {"ul", Word::Underline},
            {"uld", Word::Underline},
            {"uldb", Word::Underline},
            {"ulw", Word::Underline},
            {"ulth", Word::Underline},
            {"ulnone", Word::UnderlineNone},
            {"strike", Word::Strike},
            {"super", Word::Super},
            {"sub", Word::Sub},
            {"nosupersub", Word::NoSuperSub},
            {"v", Word::Hidden},
            {"plain", Word::Plain},
            {"pard", Word::Pard},
            {"fs", Word::FontSize},
            {"cf", Word::ColourFore},
            {"f", Word::FontNumber},
            {"deff", Word::DefaultFont},
            {"qc", Word::AlignCentre},
            {"qr", Word::AlignRight},
            {"ql", Word::AlignLeft},
            {"qj", Word::AlignJustify},
            {"li", Word::LeftIndent},
            {"ri", Word::RightIndent},
            {"fi", Word::FirstIndent},
            {"sb", Word::SpaceBefore},
            {"sa", Word::SpaceAfter},
            {"outlinelevel", Word::OutlineLevel},
            {"tx", Word::TabStop},
            {"u", Word::Unicode},
            {"uc", Word::UnicodeSkip},
            {"bin", Word::Binary},
            {"pict", Word::Pict},
            {"pngblip", Word::PngBlip},
            {"jpegblip", Word::JpegBlip},
            {"picwgoal", Word::PicWidthGoal},
            {"pichgoal", Word::PicHeightGoal},
            {"picscalex", Word::PicScaleX},
            {"picscaley", Word::PicScaleY},
            {"fonttbl", Word::FontTable},
            {"colortbl", Word::ColourTable},
            {"red", Word::Red},
            {"green", Word::Green},
            {"blue", Word::Blue},
            {"ansicpg", Word::CodePage},
            {"fcharset", Word::FontCharset},
            {"ansi", Word::Ansi},
            {"mac", Word::Mac},
            {"pc", Word::Pc},
            {"pca", Word::Pca},
            {"shppict", Word::Transparent},
            {"shp", Word::ShapeStart},
            {"shpinst", Word::ShapeInstance},
            {"sn", Word::ShapePropertyName},
            {"sv", Word::ShapePropertyValue},
            {"shprslt", Word::ShapeResult},
        };
        for (const auto &[name, word] : plain)
            t.insert(name, {word});
        // Destinations whose text is not part of the page.
        for (const char *name : {"stylesheet",
                                 "info",
                                 "header",
                                 "headerl",
                                 "headerr",
                                 "headerf",
                                 "footer",
                                 "footerl",
                                 "footerr",
                                 "footerf",
                                 "footnote",
                                 "nonshppict",
                                 "object",
                                 "objdata",
                                 "listtable",
                                 "listoverridetable",
                                 "rsidtbl",
                                 "generator",
                                 "xmlnstbl",
                                 "themedata",
                                 "colorschememapping",
                                 "latentstyles",
                                 "datastore",
                                 "filetbl",
                                 "revtbl",
                                 "fldinst",
                                 "pn",
                                 "template",
                                 "author",
                                 "operator",
                                 "title",
                                 "subject",
                                 "keywords",
                                 "comment"})
            t.insert(name, {Word::SkipDestination});
        const std::pair<const char *, char16_t> characters[] = {
            {"emdash", u'\u2014'},    {"endash", u'\u2013'},  {"bullet", u'\u2022'},
            {"lquote", u'\u2018'},    {"rquote", u'\u2019'},  {"ldblquote", u'\u201C'},
            {"rdblquote", u'\u201D'}, {"emspace", u'\u2003'}, {"enspace", u'\u2002'},
            {"qmspace", u'\u2005'},
        };
        for (const auto &[name, character] : characters)
            t.insert(name, {Word::Character, character});
        return t;
    }();
    return table;
}

// Windows-1252's 0x80..0x9F; the rest of the page is Latin-1.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct State {
    Dest dest = Dest::Text;
    CharFormat chr;
    ParaFormat para;
    int unicodeSkip = 1;
};

class Reader {
public:
    explicit Reader(const QByteArray &in)
        : m_in(in)
    {
        m_stack.append(State{});
    }
    Document read();

private:
    // Input
    bool atEnd() const { return m_pos >= m_in.size(); }
    void token();
    void controlWord();
    void controlSymbol(char c);
    void word(const QByteArray &name, bool hasParam, int param);
    void groupOpen();
    void groupClose();

    // Output
    State &top() { return m_stack.last(); }
    Dest dest() const { return m_overflow > 0 ? Dest::Skip : m_stack.last().dest; }
    void byte(char c);
    void flushBytes();
    void text(QChar c);
    void paragraphEnd();
    void commitFont();
    void finishPicture();
    void stop()
    {
        m_doc.truncated = true;
        m_stopped = true;
    }
    QString decode(const QByteArray &bytes);

    const QByteArray &m_in;
    qsizetype m_pos = 0;
    bool m_stopped = false;
    Document m_doc;
    QList<State> m_stack; // [0] is outside every group
    int m_overflow = 0;   // groups opened beyond MaxDepth, skipped
    bool m_ignorable = false;
    bool m_opened = false; // the outermost group was opened
    int m_fallback = 0;    // characters after \u still to skip
    QByteArray m_bytes;    // \'hh bytes waiting to be decoded together
    int m_codePage = 1252;
    Paragraph m_para;
    qsizetype m_paragraphChars = 0;
    qsizetype m_chars = 0, m_items = 0, m_pictureBytes = 0;
    int m_fontNumber = -1;
    QString m_fontName;
    int m_fontCharset = -1;
    QHash<int, int> m_fontPages;              // font number -> the code page its \fcharset names
    std::map<int, QStringDecoder> m_decoders; // by code page, made once each
    Colour m_colour;
    Picture m_picture;
    bool m_pictureShown = false, m_pictureBad = false;
    QByteArray m_shapeProperty; // the name of the shape property being read
    bool m_shapeShown = false;  // the current shape's picture is in the page
    int m_nibble = -1;
};

Document Reader::read()
{
    m_stack.reserve(MaxDepth + 1);
    while (!atEnd() && !m_stopped)
        token();
    flushBytes();
    if (!m_para.runs.isEmpty()) // what was read of a paragraph cut short by a limit too
        m_doc.paragraphs.append(m_para);
    return std::move(m_doc);
}

void Reader::token()
{
    const char c = m_in.at(m_pos++);
    if (c == '{') {
        flushBytes();
        groupOpen();
    } else if (c == '}') {
        flushBytes();
        groupClose();
    } else if (c == '\\') {
        if (atEnd())
            return;
        if (isLetter(m_in.at(m_pos)))
            controlWord();
        else
            controlSymbol(m_in.at(m_pos++));
    } else if (c == '\r' || c == '\n') {
        // line breaks in the file are not text
    } else if (m_fallback > 0) {
        --m_fallback;
    } else if (dest() == Dest::Picture) {
        const int value = hexValue(c);
        if (value < 0 || m_pictureBad || m_picture.kind == Picture::Kind::Other)
            return; // the bytes of a picture the program cannot draw are not kept
        if (m_nibble < 0) {
            m_nibble = value;
            return;
        }
        if (m_pictureBytes + m_picture.data.size() >= MaxPictureBytes) {
            m_pictureBad = true;
            m_picture.data.clear();
            return;
        }
        m_picture.data.append(char(m_nibble << 4 | value));
        m_nibble = -1;
    } else if (c == '\t') {
        flushBytes();
        text(u'\t');
    } else if (uchar(c) < 0x20) {
        // NUL and other control bytes carry nothing
    } else if (uchar(c) >= 0x80) {
        byte(c); // a writer that did not escape its eight-bit text
    } else {
        flushBytes();
        if (dest() == Dest::ColourTable && c == ';') {
            if (m_doc.colours.size() < MaxTableEntries)
                m_doc.colours.append(m_colour);
            m_colour = {};
        } else if (dest() == Dest::FontTable && c == ';') {
            commitFont();
        } else {
            text(QLatin1Char(c));
        }
    }
}

void Reader::controlWord()
{
    const qsizetype start = m_pos;
    while (!atEnd() && isLetter(m_in.at(m_pos)))
        ++m_pos;
    const QByteArray name = m_in.mid(start, std::min<qsizetype>(m_pos - start, 32));
    bool hasParam = false;
    bool negative = false;
    qint64 value = 0;
    if (!atEnd() && m_in.at(m_pos) == '-' && m_pos + 1 < m_in.size() && isDigit(m_in.at(m_pos + 1))) {
        negative = true;
        ++m_pos;
    }
    while (!atEnd() && isDigit(m_in.at(m_pos))) {
        hasParam = true;
        value = std::min<qint64>(value * 10 + (m_in.at(m_pos) - '0'), qint64(1) << 40);
        ++m_pos;
    }
    if (!atEnd() && m_in.at(m_pos) == ' ')
        ++m_pos;
    const qint64 signedValue = negative ? -value : value;
    const int param = int(std::clamp<qint64>(signedValue, -(qint64(1) << 31) + 1, (qint64(1) << 31) - 1));

    if (name == "bin") { // binary bytes follow, whatever the state: never read past the end
        const qsizetype length = std::clamp<qint64>(signedValue, 0, m_in.size() - m_pos);
        if (dest() == Dest::Picture && !m_pictureBad && m_picture.kind != Picture::Kind::Other &&
            m_fallback == 0) {
            if (m_pictureBytes + m_picture.data.size() + length > MaxPictureBytes) {
                m_pictureBad = true;
                m_picture.data.clear();
            } else {
                m_picture.data.append(m_in.mid(m_pos, length));
            }
        }
        m_pos += length;
        m_fallback = std::max(0, m_fallback - 1);
        return;
    }
    if (m_fallback > 0) { // a control word stands for one fallback character
        --m_fallback;
        return;
    }
    flushBytes();
    word(name, hasParam, param);
}

void Reader::controlSymbol(char c)
{
    if (c == '\'') {
        int value = 0, digits = 0;
        while (digits < 2 && !atEnd() && hexValue(m_in.at(m_pos)) >= 0) {
            value = value * 16 + hexValue(m_in.at(m_pos++));
            ++digits;
        }
        if (m_fallback > 0) {
            --m_fallback;
        } else if (digits == 2) {
            byte(char(value));
        }
        return;
    }
    if (m_fallback > 0) {
        --m_fallback;
        return;
    }
    flushBytes();
    switch (c) {
    case '\\':
    case '{':
    case '}':
        text(QLatin1Char(c));
        break;
    case '~':
        text(u'\u00A0');
        break;
    case '-':
        text(u'\u00AD');
        break;
    case '_':
        text(u'\u2011');
        break;
    case '*':
        m_ignorable = true;
        return; // keeps the flag for the word that follows
    case '\n':
    case '\r':
        paragraphEnd();
        break;
    default:
        break;
    }
    m_ignorable = false;
}

void Reader::word(const QByteArray &name, bool hasParam, int param)
{
    const bool ignorable = std::exchange(m_ignorable, false);
    if (dest() == Dest::Skip)
        return;
    const auto found = words().constFind(name);
    if (found == words().cend()) {
        if (ignorable) // an optional destination we do not know: its group is skipped
            top().dest = Dest::Skip;
        return;
    }
    if (ignorable && found->word != Word::Transparent && found->word != Word::Pict &&
        found->word != Word::ShapeInstance) {
        top().dest = Dest::Skip;
        return;
    }
    State &state = top();
    CharFormat &chr = state.chr;
    ParaFormat &para = state.para;
    const bool on = !hasParam || param != 0;
    const auto twips = [&] { return std::clamp(param, -31680, 31680); }; // 22 inches
    switch (found->word) {
    case Word::Par:
        paragraphEnd();
        break;
    case Word::Line:
        text(QChar::LineSeparator);
        break;
    case Word::Tab:
    case Word::Cell:
        text(u'\t');
        break;
    case Word::Character:
        text(QChar(found->character));
        break;
    case Word::Bold:
        chr.bold = on;
        break;
    case Word::Italic:
        chr.italic = on;
        break;
    case Word::Underline:
        chr.underline = on;
        break;
    case Word::UnderlineNone:
        chr.underline = false;
        break;
    case Word::Strike:
        chr.strike = on;
        break;
    case Word::Super:
        chr.vertical = 1;
        break;
    case Word::Sub:
        chr.vertical = -1;
        break;
    case Word::NoSuperSub:
        chr.vertical = 0;
        break;
    case Word::Hidden:
        chr.hidden = on;
        break;
    case Word::Plain:
        chr = CharFormat{};
        break;
    case Word::Pard:
        para = ParaFormat{};
        break;
    case Word::FontSize:
        chr.halfPoints = hasParam ? std::clamp(param, 2, 400) : 24;
        break;
    case Word::ColourFore:
        chr.colour = std::max(0, param);
        break;
    case Word::FontNumber:
        if (state.dest == Dest::FontTable) {
            commitFont();
            m_fontNumber = param;
        } else {
            chr.font = param;
        }
        break;
    case Word::DefaultFont:
        m_doc.defaultFont = param;
        break;
    case Word::AlignCentre:
        para.align = Align::Centre;
        break;
    case Word::AlignRight:
        para.align = Align::Right;
        break;
    case Word::AlignLeft:
        para.align = Align::Left;
        break;
    case Word::AlignJustify:
        para.align = Align::Justify;
        break;
    case Word::LeftIndent:
        para.leftTwips = twips();
        break;
    case Word::RightIndent:
        para.rightTwips = twips();
        break;
    case Word::FirstIndent:
        para.firstTwips = twips();
        break;
    case Word::SpaceBefore:
        para.beforeTwips = std::max(0, twips());
        break;
    case Word::SpaceAfter:
        para.afterTwips = std::max(0, twips());
        break;
    case Word::OutlineLevel:
        para.headingLevel = std::clamp(param, 0, 8) + 1;
        break;
    case Word::TabStop:
        if (para.tabTwips.size() < 64)
            para.tabTwips.append(std::clamp(param, 0, 31680));
        break;
    case Word::Unicode: // a signed 16-bit number; out of that range it names nothing
        if (hasParam && param >= -32768 && param <= 65535)
            text(QChar(char16_t(param & 0xFFFF)));
        m_fallback = state.unicodeSkip;
        break;
    case Word::UnicodeSkip:
        state.unicodeSkip = std::clamp(param, 0, 16);
        break;
    case Word::Pict:
        // Shown where the page's text is, or as a shape's picture; a shape's other pictures
        // (its fill, its outline) are not the page's.
        m_pictureShown = !chr.hidden && (state.dest == Dest::Text ||
                                         (state.dest == Dest::ShapeValue && m_shapeProperty == "pib"));
        state.dest = Dest::Picture;
        m_picture = Picture{};
        m_pictureBad = false;
        m_nibble = -1;
        break;
    case Word::PngBlip:
    case Word::JpegBlip:
        if (state.dest == Dest::Picture)
            m_picture.kind = found->word == Word::PngBlip ? Picture::Kind::Png : Picture::Kind::Jpeg;
        break;
    case Word::PicWidthGoal:
        m_picture.widthTwips = std::clamp(param, 0, 31680);
        break;
    case Word::PicHeightGoal:
        m_picture.heightTwips = std::clamp(param, 0, 31680);
        break;
    case Word::PicScaleX:
        m_picture.scaleX = std::clamp(param, 1, 1000);
        break;
    case Word::PicScaleY:
        m_picture.scaleY = std::clamp(param, 1, 1000);
        break;
    case Word::FontTable:
        state.dest = Dest::FontTable;
        m_fontNumber = -1;
        m_fontName.clear();
        break;
    case Word::ColourTable:
        state.dest = Dest::ColourTable;
        m_colour = {};
        break;
    case Word::Red:
        m_colour.red = std::clamp(param, 0, 255);
        m_colour.automatic = false;
        break;
    case Word::Green:
        m_colour.green = std::clamp(param, 0, 255);
        m_colour.automatic = false;
        break;
    case Word::Blue:
        m_colour.blue = std::clamp(param, 0, 255);
        m_colour.automatic = false;
        break;
    case Word::CodePage:
        m_codePage = param;
        break;
    case Word::FontCharset:
        m_fontCharset = param;
        break;
    case Word::Ansi:
        m_codePage = 1252;
        break;
    case Word::Mac:
        m_codePage = 10000;
        break;
    case Word::Pc:
        m_codePage = 437;
        break;
    case Word::Pca:
        m_codePage = 850;
        break;
    case Word::Transparent:
        break;
    case Word::ShapeStart:
        m_shapeShown = false;
        break;
    case Word::ShapeInstance:
        state.dest = state.dest == Dest::Text ? Dest::Shape : Dest::Skip;
        break;
    case Word::ShapePropertyName:
        if (state.dest == Dest::Shape) {
            state.dest = Dest::ShapeName;
            m_shapeProperty.clear();
        }
        break;
    case Word::ShapePropertyValue:
        if (state.dest == Dest::Shape)
            state.dest = Dest::ShapeValue;
        break;
    case Word::ShapeResult: // what a reader that knows no shapes shows instead
        if (m_shapeShown)
            state.dest = Dest::Skip;
        break;
    case Word::SkipDestination:
        state.dest = Dest::Skip;
        break;
    case Word::Binary:
        break; // read in controlWord()
    }
}

void Reader::groupOpen()
{
    m_fallback = 0;
    m_ignorable = false;
    if (m_stack.size() > MaxDepth || m_overflow > 0) {
        ++m_overflow;
        return;
    }
    m_stack.append(m_stack.last());
    m_opened = true;
}

void Reader::groupClose()
{
    m_fallback = 0;
    m_ignorable = false;
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (m_stack.size() == 1)
        return; // a closing brace too many
    const Dest closed = m_stack.takeLast().dest;
    if (closed == Dest::FontTable)
        commitFont();
    if (closed == Dest::Picture && top().dest != Dest::Picture)
        finishPicture();
    if (m_stack.size() == 1 && m_opened) { // the document's own group ends the document
        flushBytes();
        if (!m_para.runs.isEmpty())
            m_doc.paragraphs.append(std::exchange(m_para, {}));
        m_stopped = true;
    }
}

void Reader::byte(char c)
{
    if (m_fallback > 0) {
        --m_fallback;
        return;
    }
    const Dest d = dest();
    if (d != Dest::Text && d != Dest::FontTable)
        return;
    m_bytes.append(c);
    if (m_bytes.size() >= 4096)
        flushBytes();
}

// The code page a font's \fcharset names; 0 where the document's own page holds.
int charsetPage(int charset)
{
    static const QHash<int, int> pages = {
        {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},  {136, 950}, {161, 1253}, {162, 1254},
        {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250}, {255, 437}};
    return pages.value(charset, 0);
}

QString Reader::decode(const QByteArray &bytes)
{
    const int font = top().chr.font >= 0 ? top().chr.font : m_doc.defaultFont;
    const int page = m_fontPages.value(font, m_codePage);
    if (page != 1252) {
        auto found = m_decoders.find(page);
        if (found == m_decoders.end()) {
            QByteArray name = "windows-" + QByteArray::number(page);
            if (page == 65001)
                name = "UTF-8";
            else if (page == 10000)
                name = "macintosh";
            else if (page < 1000)
                name = "IBM" + QByteArray::number(page);
            if (m_decoders.size() >= 32) // \ansicpg may name any number of pages
                m_decoders.clear();
            found = m_decoders.emplace(page, QStringDecoder(name.constData())).first;
        }
        if (found->second.isValid()) {
            found->second.resetState();
            return found->second.decode(bytes);
        }
    }
    // Windows-1252, and the Latin-1 fallback for a page this Qt does not know
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const uchar u = uchar(c);
        out += (page == 1252 && u >= 0x80 && u < 0xA0) ? QChar(Cp1252High[u - 0x80]) : QChar(u);
    }
    return out;
}

void Reader::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QString decoded = decode(std::exchange(m_bytes, {}));
    for (const QChar c : decoded)
        text(c);
}

void Reader::text(QChar c)
{
    if (m_stopped || (c.unicode() < 0x20 && c != u'\t'))
        return; // NUL and the other control characters are not text
    switch (dest()) {
    case Dest::FontTable:
        if (m_fontName.size() < 256)
            m_fontName += c;
        return;
    case Dest::ShapeName:
        if (m_shapeProperty.size() < 64)
            m_shapeProperty += char(c.toLatin1());
        return;
    case Dest::Text:
        break;
    default:
        return;
    }
    if (top().chr.hidden)
        return;
    if (++m_chars > MaxChars)
        return stop();
    if (++m_paragraphChars > MaxParagraphChars) { // a paragraph that long goes on in a new one
        paragraphEnd();
        if (m_stopped)
            return;
        m_paragraphChars = 1;
    }
    const State &state = top();
    m_para.format = state.para;
    const bool full = m_para.runs.size() >= MaxParagraphRuns && m_para.runs.last().picture < 0;
    if (!full && (m_para.runs.isEmpty() || m_para.runs.last().picture >= 0 ||
                  !(m_para.runs.last().format == state.chr))) {
        if (++m_items > MaxRuns)
            return stop();
        m_para.runs.append(Run{{}, state.chr, -1});
    }
    m_para.runs.last().text += c;
}

void Reader::paragraphEnd()
{
    if (dest() != Dest::Text || m_stopped)
        return;
    if (++m_items > MaxRuns)
        return stop();
    m_para.format = top().para;
    m_doc.paragraphs.append(std::exchange(m_para, {}));
    m_paragraphChars = 0;
}

void Reader::commitFont()
{
    if (m_fontNumber >= 0 && m_doc.fonts.size() < MaxTableEntries) {
        m_doc.fonts.append(Font{m_fontNumber, m_fontName.trimmed()});
        if (const int page = charsetPage(m_fontCharset))
            m_fontPages.insert(m_fontNumber, page);
    }
    m_fontNumber = -1;
    m_fontCharset = -1;
    m_fontName.clear();
}

void Reader::finishPicture()
{
    if (!m_pictureShown || m_stopped || m_para.runs.size() >= MaxParagraphRuns)
        return;
    if (++m_items > MaxRuns)
        return stop();
    if (m_pictureBad) { // too big to keep
        m_picture.kind = Picture::Kind::Other;
        m_picture.data.clear();
    }
    m_pictureBytes += m_picture.data.size();
    m_doc.pictures.append(std::exchange(m_picture, {}));
    m_para.runs.append(Run{{}, top().chr, int(m_doc.pictures.size() - 1)});
    if (top().dest == Dest::ShapeValue)
        m_shapeShown = true;
}

} // namespace

Document read(const QByteArray &rtf) { return Reader(rtf).read(); }

} // namespace vrim::rtf
