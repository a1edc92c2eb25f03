#pragma once

#include "tools/audit/AuditTool.h"

#include <QProcessEnvironment>
#include <QStringList>
#include <QTextStream>

// What one in-process run of orvalin-audit gave: its exit status and both output streams.
struct Outcome
{
    int status = -1;
    QString out;
    QString err;
};

// Runs orvalin-audit in this process with the arguments and exactly this environment.
inline Outcome runAudit(const QStringList &arguments, const QProcessEnvironment &environment)
{
    Outcome outcome;
    QTextStream out(&outcome.out);
    QTextStream err(&outcome.err);
    outcome.status = AuditTool::run(arguments, environment, out, err);
    out.flush();
    err.flush();
    return outcome;
}

// Runs orvalin-audit with the arguments on the account file, and nothing else in the
// environment.
inline Outcome runAudit(const QStringList &arguments, const QString &accountFile)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("ORVALIN_ACCOUNT"), accountFile);
    return runAudit(arguments, environment);
}
