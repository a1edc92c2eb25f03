// Reads arbitrary bytes as Instagram's JSON download: the parts of the input, split on NUL bytes,
// are its files in the order below. It opens with both lists whole, or is refused naming the
// download.
#include "fuzz/FuzzDownload.h"
#include "fuzz/MemoryEntries.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList names{
        QStringLiteral("connections/followers_and_following/followers_1.json"),
        QStringLiteral("connections/followers_and_following/following.json"),
        QStringLiteral("personal_information/personal_information.json")};
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    checkDownload(MemoryEntries(names, input));
    return 0;
}
