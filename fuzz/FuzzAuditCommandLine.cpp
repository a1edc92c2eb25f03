// Parses arbitrary argument lists (NUL-separated) as orvalin-audit's command line, every
// command of it. The parser must never throw, must explain every refusal, and what it accepts
// must be stable: writing the options back as a canonical command line reads to the same
// options.
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

// The words that name the command, as typed first.
QStringList commandWords(AuditOptions::Command command)
{
    using Command = AuditOptions::Command;
    switch (command) {
    case Command::Scan:
        return {QStringLiteral("scan")};
    case Command::Remove:
        return {QStringLiteral("remove")};
    case Command::Changes:
        return {QStringLiteral("changes")};
    case Command::History:
        return {QStringLiteral("history")};
    case Command::Forget:
        return {QStringLiteral("history"), QStringLiteral("--forget")};
    case Command::KeepAdd:
        return {QStringLiteral("keep"), QStringLiteral("add")};
    case Command::KeepRemove:
        return {QStringLiteral("keep"), QStringLiteral("remove")};
    case Command::KeepList:
        return {QStringLiteral("keep"), QStringLiteral("list")};
    case Command::FansList:
        return {QStringLiteral("fans")};
    case Command::FansAdd:
        return {QStringLiteral("fans"), QStringLiteral("add")};
    case Command::FansDrop:
        return {QStringLiteral("fans"), QStringLiteral("drop")};
    case Command::Help:
    case Command::Version:
        break;
    }
    broken("a command that has no words");
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
    using Command = AuditOptions::Command;
    if (options.command == Command::Help || options.command == Command::Version)
        return 0;
    const bool takesAddresses =
        options.command == Command::Remove || options.command == Command::KeepAdd ||
        options.command == Command::KeepRemove || options.command == Command::FansAdd ||
        options.command == Command::FansDrop;
    if (options.command == Command::History && options.addresses.size() != 1)
        broken("history without exactly one address");
    if (!takesAddresses && options.command != Command::History && !options.addresses.isEmpty())
        broken("addresses for a command that takes none");
    if (takesAddresses) {
        if (options.addresses.isEmpty())
            broken("a command without the addresses it needs");
        QSet<QString> seen;
        for (const QString &address : options.addresses) {
            if (address.isEmpty())
                broken("an empty address");
            if (seen.contains(address))
                broken("an address given twice");
            seen.insert(address);
        }
    }

    QStringList canonical = commandWords(options.command);
    const bool report = options.command == Command::Scan || options.command == Command::Remove ||
                        options.command == Command::Changes ||
                        options.command == Command::FansList ||
                        options.command == Command::FansAdd || options.command == Command::FansDrop;
    if (report)
        canonical += {QStringLiteral("--format"), formatName(options.format)};
    if (!options.account.isEmpty())
        canonical.append(QStringLiteral("--account=") + options.account);
    if (options.notify)
        canonical.append(QStringLiteral("--notify"));
    if (options.yes)
        canonical.append(QStringLiteral("--yes"));
    if (options.force)
        canonical.append(QStringLiteral("--force"));
    canonical.append(QStringLiteral("--"));
    canonical += options.addresses;
    const AuditCommandLine::Result again = AuditCommandLine::parse(canonical);
    if (!again.ok || again.options.command != options.command ||
        again.options.format != options.format || again.options.addresses != options.addresses ||
        again.options.account != options.account || again.options.notify != options.notify ||
        again.options.yes != options.yes || again.options.force != options.force)
        broken("the canonical command line reads differently");
    return 0;
}
