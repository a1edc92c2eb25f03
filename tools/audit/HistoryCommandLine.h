#pragma once

#include "tools/audit/AuditCommandLine.h"

#include <QDateTime>

// What a history command of orvalin-audit was asked to do.
struct HistoryOptions
{
    enum class Command { Changes, History, Forget, KeepAdd, KeepRemove, KeepList };

    Command command = Command::Changes;
    AuditOptions::Format format = AuditOptions::Format::Table;
    // Changes: compare with the last snapshot before this time, when valid.
    QDateTime since;
    bool notify = false;
    // Forget: without asking.
    bool yes = false;
    // The value of --account; empty when not given.
    QString account;
    QStringList addresses;
};

// Reads the arguments of the history commands (without the program name):
//   changes [--since DATE] [--format table|csv|json] [--notify]
//   history ADDRESS | history --forget [--yes]
//   keep add|remove ADDRESS... | keep list
class HistoryCommandLine
{
public:
    struct Result
    {
        bool ok = false;
        HistoryOptions options;
        QString error;
    };

    // Whether the first word that is not an option names a history command.
    static bool handles(const QStringList &arguments);
    static Result parse(const QStringList &arguments);
    static QString usage();
};
