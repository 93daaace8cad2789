#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The line format of the .prf files: one value per line, CR LF after every line, no header.
// Text is a line of its own; a whole number is written " 6573604 " (a minus sign in place of the
// leading space when negative).
namespace vrim::prf {

// The value's bytes as files::nativeName spells them, then CR LF.
QByteArray encodeText(const QString &value);
QByteArray encodeNumber(qint64 value);

// Returns the first `count` lines, accepting CR LF, LF or CR as line ends. A line is UTF-8; a
// line that is not (a path from an older version, in a single-byte encoding) keeps its bytes as
// files::fromNativeName carries them, so the file it names is found and writing it back gives
// the same bytes. Fewer lines than `count` is a short file: nullopt, with the number in *found.
std::optional<QStringList> firstLines(const QByteArray &bytes, int count, int *found = nullptr);

// A text value is the whole line after leading blanks, so a path with a comma reads back as it
// was saved; a value wrapped in double quotes, as older files may hold, loses its quotes.
QString readText(const QString &line);
// Control characters other than the tab: no setting holds them, so a line that does comes from
// a file that is not a settings file (a picture or a program saved under its name, say).
bool hasControlCharacters(const QString &line);
// The text written for a value reads back as that same value.
bool textRoundTrips(const QString &value);

// A number field: blanks around it ignored, cut at the first comma; nullopt when not a decimal
// whole number within [min, max].
std::optional<qint64> readNumber(const QString &line, qint64 min, qint64 max);

} // namespace vrim::prf
