#include "help/RtfTextDocument.h"

#include <QString>
#include <QTextDocument>

namespace vrim {

// Stand-in until the RTF reader arrives: the file's bytes as plain text.
void fillFromRtf(QTextDocument &document, const QByteArray &rtf)
{
    document.setPlainText(QString::fromLatin1(rtf));
}

} // namespace vrim
