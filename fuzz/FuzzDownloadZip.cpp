// Reads arbitrary bytes as a ZIP download. A ZIP that opens lists only safe names and reads each
// entry whole within the limits or refuses it naming the download; the download then opens or is
// refused as any other.
#include "fuzz/FuzzDownload.h"
#include "platform/messenger/download/ZipEntries.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char *what)
{
    std::fprintf(stderr, "zip invariant broken: %s\n", what);
    std::abort();
}

const QString Path = QStringLiteral("descarga-fuzz.zip");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const ZipEntries entries(Path, content);
        for (const QString &name : entries.names()) {
            if (name.startsWith(QLatin1Char('/')) ||
                name.split(QLatin1Char('/')).contains(QStringLiteral("..")))
                broken("an unsafe name listed");
            try {
                if (entries.read(name).size() > DownloadEntries::MaxEntrySize)
                    broken("an entry read beyond its limit");
            } catch (const DownloadError &error) {
                if (!error.message().contains(Path))
                    broken("an entry's error that does not name the download");
            }
        }
        checkDownload(entries);
    } catch (const DownloadError &error) {
        if (!error.message().contains(Path))
            broken("an error that does not name the download");
    }
    return 0;
}
