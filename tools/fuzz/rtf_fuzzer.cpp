// libFuzzer entry: any bytes as a help page. The reader must end within its limits, its text no
// longer than its input, and every picture run must name a picture it read.
#include "help/RtfReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray rtf(reinterpret_cast<const char *>(data), qsizetype(size));
    const vrim::rtf::Document doc = vrim::rtf::read(rtf);
    if (doc.plainText().size() > rtf.size() || doc.paragraphs.size() > vrim::rtf::MaxRuns)
        std::abort();
    for (const vrim::rtf::Paragraph &paragraph : doc.paragraphs)
        for (const vrim::rtf::Run &run : paragraph.runs)
            if (run.picture >= doc.pictures.size())
                std::abort();
    return 0;
}
