// libFuzzer entry: any bytes as a Daytime reply. What the parser accepts must be a valid UTC
// instant from a reply of at most 1 KiB.
#include "nettime/DaytimeReply.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray reply(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto read = vrim::daytime::parse(reply)) {
        if (!read->utc.isValid() || read->utc.offsetFromUtc() != 0 ||
            reply.size() > vrim::daytime::MaxReplyBytes)
            std::abort();
    }
    return 0;
}
