#pragma once

#include <QProcessEnvironment>
#include <QStringList>
#include <functional>

class PasswordSource;
class QTextStream;

// The history commands of orvalin-audit: changes, history and keep. The exit statuses are
// AuditTool's.
class HistoryCommands
{
public:
    // Reads the answer to the one question (history --forget asks before deleting).
    using ReadAnswer = std::function<QString()>;

    static int run(const QStringList &arguments, const QProcessEnvironment &environment,
                   QTextStream &out, QTextStream &err, PasswordSource *askPassword,
                   const ReadAnswer &readAnswer);
};
