#include "platform/messenger/xmpp/TerminalPasswordSource.h"
#include "tools/audit/AuditTool.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int status = 0;
    {
        QTextStream out(stdout);
        QTextStream err(stderr);
        TerminalPasswordSource terminal;
        status = AuditTool::run(QCoreApplication::arguments().mid(1),
                                QProcessEnvironment::systemEnvironment(), out, err, &terminal);
    }
    return status;
}
