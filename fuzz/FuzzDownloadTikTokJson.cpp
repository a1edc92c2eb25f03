// Reads arbitrary bytes as TikTok's JSON download: the parts of the input, split on NUL bytes, are
// its files in the order below. It opens with both lists whole, or is refused naming the download.
#include "fuzz/FuzzDownload.h"
#include "fuzz/MemoryEntries.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList names{QStringLiteral("user_data_tiktok.json")};
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    checkDownload(MemoryEntries(names, input));
    return 0;
}
