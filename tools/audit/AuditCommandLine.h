#pragma once

#include <QString>
#include <QStringList>

// What orvalin-audit was asked to do.
struct AuditOptions
{
    enum class Command { Scan, Remove, Help };
    enum class Format { Table, Csv, Json };

    Command command = Command::Scan;
    Format format = Format::Table;
    // For Remove: each address once, in the order given.
    QStringList addresses;
    // --account: an XMPP address, an account file or "demo"; empty when not given.
    QString account;
};

// Reads the arguments of orvalin-audit (without the program name):
//   scan [--format table|csv|json] [--account ADDRESS|FILE|demo]
//   remove [--format table|csv|json] [--account ADDRESS|FILE|demo] ADDRESS...
// Options may come anywhere; "--" ends them. Never throws: a fault comes back as one line.
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

    // Reads the value of --format (table, csv or json); false for any other.
    static bool parseFormat(const QString &name, AuditOptions::Format &format);
    // Whether arguments[i] is --account VALUE or --account=VALUE; when it is, takes the value
    // into account (i moves past it) or says in error what is wrong with it.
    static bool readAccount(const QStringList &arguments, qsizetype &i, QString &account,
                            QString &error);
};
