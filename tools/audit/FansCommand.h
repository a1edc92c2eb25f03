#pragma once

#include <QProcessEnvironment>
#include <QStringList>

struct AuditOptions;
class PasswordSource;
class QTextStream;

// orvalin-audit fans, fans add and fans drop on the account scan would use. Only addresses the
// list shows are acted on, and fans drop never touches a kept contact.
class FansCommand
{
public:
    // Returns the exit status (see AuditTool); acted names every address whose answer the
    // server took, so that it can still be told when the output fails.
    static int run(const AuditOptions &options, const QProcessEnvironment &environment,
                   QTextStream &out, QTextStream &err, PasswordSource *askPassword,
                   QStringList &acted);
    // What is said for an account without the list.
    static QString noListText();
};
