#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// What orvalin-audit was asked to do.
struct AuditOptions
{
    enum class Command {
        Scan,
        Remove,
        Changes,
        History,
        Forget,
        KeepAdd,
        KeepRemove,
        KeepList,
        FansList,
        FansAdd,
        FansDrop,
        Help,
        Version
    };
    enum class Format { Table, Csv, Json };

    Command command = Command::Scan;
    Format format = Format::Table;
    // Remove, KeepAdd, KeepRemove, FansAdd, FansDrop: each address once, in the order given.
    // History: the one address asked about.
    QStringList addresses;
    // --account: an XMPP address, an account file or "demo"; empty when not given.
    QString account;
    // Changes: compare with the last snapshot before this time, when valid.
    QDateTime since;
    bool notify = false;
    // Forget: without asking.
    bool yes = false;
    // KeepAdd: store addresses that are not on the contact list too.
    bool force = false;
};

// Reads the arguments of orvalin-audit (without the program name):
//   scan [--format table|csv|json]
//   remove [--format table|csv|json] ADDRESS...
//   changes [--since DATE] [--format table|csv|json] [--notify]
//   history ADDRESS | history --forget [--yes]
//   keep add [--force] ADDRESS... | keep remove ADDRESS... | keep list
//   fans [--format table|csv|json] | fans add|drop [--format table|csv|json] ADDRESS...
// with --account ACCOUNT for any of them. Options may come anywhere; "--" ends them. Never
// throws: a fault comes back as one line.
class AuditCommandLine
{
public:
    struct Result
    {
        bool ok = false;
        AuditOptions options;
        QString error;
    };

    static Result parse(const QStringList &arguments);
    static QString usage();
};
