#pragma once

#include "tools/audit/AuditCommandLine.h"

#include <QProcessEnvironment>
#include <functional>

class PasswordSource;
class QTextStream;

// The history commands of orvalin-audit: changes, history and keep, as the command line read
// them. The exit statuses are AuditTool's.
class HistoryCommands
{
public:
    // Reads the answer to the one question (history --forget asks before deleting).
    using ReadAnswer = std::function<QString()>;

    static int run(const AuditOptions &options, const QProcessEnvironment &environment,
                   QTextStream &out, QTextStream &err, PasswordSource *askPassword,
                   const ReadAnswer &readAnswer);
};
