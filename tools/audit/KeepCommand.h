#pragma once

#include "tools/audit/AuditCommandLine.h"

#include <QProcessEnvironment>
#include <QSet>
#include <QStringList>

class PasswordSource;
class QTextStream;

// keep add, keep remove and keep list. The account is chosen as scan chooses it; the demo
// account stands in only when nothing names one, and then it is said. keep add signs in to read
// the contact list: an address not on it is stored only with --force. Every address of one
// command is stored in one transaction. Returns AuditTool's exit status; throws Error when the
// account or the history cannot be used.
class KeepCommand
{
public:
    KeepCommand(const AuditOptions &options, const QProcessEnvironment &environment,
                QTextStream &out, QTextStream &err);

    int run(PasswordSource *askPassword);

    // Why address cannot be a contact's address, in a few words; empty when it can. A user
    // name (a social network's) needs no '@'.
    static QString addressFault(const QString &address, bool userName = false);

private:
    int list(const QString &account);
    int add(const QString &account, const QSet<QString> &contacts);
    int remove(const QString &account);

    const AuditOptions &m_options;
    const QProcessEnvironment &m_environment;
    QTextStream &m_out;
    QTextStream &m_err;
};
