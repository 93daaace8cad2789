#pragma once
#include <QByteArray>
class QTextDocument;
namespace vrim {
// Replaces the document's content with what the RTF says. Never fails: damaged or hostile
// input shows what could be read.
void fillFromRtf(QTextDocument &document, const QByteArray &rtf);
}
