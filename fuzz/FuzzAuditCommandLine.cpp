// Parses arbitrary argument lists (NUL-separated) as orvalin-audit's command line. The parser
// must never throw, must explain every refusal, and what it accepts must be stable: writing
// the options back as a canonical command line reads to the same options.
#include "fuzz/FuzzSupport.h"
#include "tools/audit/AuditCommandLine.h"

#include <QSet>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char *what)
{
    std::fprintf(stderr, "audit command line invariant broken: %s\n", what);
    std::abort();
}

QString formatName(AuditOptions::Format format)
{
    switch (format) {
    case AuditOptions::Format::Table:
        return QStringLiteral("table");
    case AuditOptions::Format::Csv:
        return QStringLiteral("csv");
    case AuditOptions::Format::Json:
        return QStringLiteral("json");
    }
    broken("unknown format");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList arguments = argumentsFrom(data, size);
    const AuditCommandLine::Result result = AuditCommandLine::parse(arguments);
    if (!result.ok) {
        if (result.error.isEmpty())
            broken("a refusal without a message");
        for (const QChar ch : result.error) {
            if (ch.category() == QChar::Other_Control)
                broken("a refusal that is not one plain line");
        }
        return 0;
    }
    if (!result.error.isEmpty())
        broken("an accepted command line with an error");

    const AuditOptions &options = result.options;
    if (options.command == AuditOptions::Command::Help)
        return 0;
    if (options.command == AuditOptions::Command::Scan && !options.addresses.isEmpty())
        broken("scan with addresses");
    if (options.command == AuditOptions::Command::Remove) {
        if (options.addresses.isEmpty())
            broken("remove without addresses");
        QSet<QString> seen;
        for (const QString &address : options.addresses) {
            if (address.isEmpty())
                broken("an empty address");
            if (seen.contains(address))
                broken("an address given twice");
            seen.insert(address);
        }
    }

    QStringList canonical{options.command == AuditOptions::Command::Scan ? QStringLiteral("scan")
                                                                         : QStringLiteral("remove"),
                          QStringLiteral("--format"), formatName(options.format),
                          QStringLiteral("--")};
    canonical += options.addresses;
    const AuditCommandLine::Result again = AuditCommandLine::parse(canonical);
    if (!again.ok || again.options.command != options.command ||
        again.options.format != options.format || again.options.addresses != options.addresses)
        broken("the canonical command line reads differently");
    return 0;
}
