#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace vrim::rtf {

// What an RTF file says, read into paragraphs of formatted runs. No screen types here: colours
// are numbers, sizes are twips and half-points, pictures are their undecoded bytes.

struct Colour {
    int red = 0, green = 0, blue = 0;
    bool automatic = true; // the table's empty entry: the view's own text colour
};

struct CharFormat {
    bool bold = false, italic = false, underline = false, strike = false;
    int halfPoints = 24; // \fs
    int colour = 0;      // \cf, an index into Document::colours (0: automatic)
    int font = -1;       // \f, a font number of the font table
    int vertical = 0;    // -1 subscript, +1 superscript
    bool hidden = false; // \v: kept in the file, never shown
    bool operator==(const CharFormat &) const = default;
};

enum class Align { Left, Centre, Right, Justify };

struct ParaFormat {
    Align align = Align::Left;
    int leftTwips = 0, rightTwips = 0, firstTwips = 0; // \li \ri \fi
    int beforeTwips = 0, afterTwips = 0;               // \sb \sa
    int headingLevel = 0;                              // \outlinelevelN gives N + 1
    QList<int> tabTwips;                               // \tx
};

struct Picture {
    // Other: a picture in a form the program cannot draw (a metafile, a Mac picture, a Windows
    // bitmap) or too big to keep; its bytes are not kept, the page shows that a picture was there.
    enum class Kind { Png, Jpeg, Other };
    Kind kind = Kind::Other;
    QByteArray data;
    int widthTwips = 0, heightTwips = 0; // \picwgoal \pichgoal, 0 when not given
    int scaleX = 100, scaleY = 100;      // \picscalex \picscaley, percent
};

// A run is text in one format, or a picture (then text is empty).
struct Run {
    QString text;
    CharFormat format;
    int picture = -1; // index into Document::pictures
};

struct Paragraph {
    ParaFormat format;
    QList<Run> runs;
};

struct Font {
    int number = 0;
    QString name;
};

struct Document {
    QList<Paragraph> paragraphs;
    QList<Colour> colours;
    QList<Font> fonts;
    QList<Picture> pictures;
    int defaultFont = -1;   // \deff: the font of runs whose font is -1
    bool truncated = false; // a limit below was reached; the rest was not read

    QString fontName(int number) const;
    // The plain text, paragraphs joined by '\n' (what a reader sees, without formatting).
    QString plainText() const;
};

// Limits that keep a hostile file from taking the stack or the memory.
inline constexpr int MaxDepth = 256;           // groups deeper than this are skipped
inline constexpr qsizetype MaxChars = 200'000; // characters of text in the whole document
inline constexpr qsizetype MaxRuns = 50'000;   // runs and paragraphs together
// Runs in one paragraph: past this its text keeps the last run's format (laying out one paragraph
// costs the document time that grows with the square of its runs).
inline constexpr qsizetype MaxParagraphRuns = 2'000;
// Characters in one paragraph: past this the text goes on in a new paragraph (a long word without a
// break costs the layout far more than the same text in paragraphs).
inline constexpr qsizetype MaxParagraphChars = 20'000;
inline constexpr qsizetype MaxPictureBytes = 32 * 1024 * 1024; // all pictures together
inline constexpr qsizetype MaxTableEntries = 4096;             // fonts, colours

// Reads what can be read; never fails. Iterative: the nesting of groups costs no stack.
Document read(const QByteArray &rtf);

} // namespace vrim::rtf
