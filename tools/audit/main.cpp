#include "platform/messenger/xmpp/TerminalPasswordSource.h"
#include "tools/audit/AuditTool.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A standard stream started closed is held by /dev/null opened for reading: no file opened
// later can take its number and receive the output, and every write to it fails.
void holdClosedStandardStreams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) != -1)
            continue;
        const int null = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (null >= 0 && null != fd) {
            ::dup2(null, fd);
            ::close(null);
        }
    }
}

// A reader that goes away (`orvalin-audit remove … | head -1`) must not end the tool by a
// signal before it has said on stderr what it removed: the write fails, as any other.
void ignoreBrokenPipes()
{
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    holdClosedStandardStreams();
    ignoreBrokenPipes();
    QCoreApplication app(argc, argv);
    int status = 0;
    {
        // Unbuffered below the stream's own buffer, so that every failed write is seen.
        QFile stdoutFile;
        stdoutFile.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered,
                        QFileDevice::AutoCloseHandle);
        QTextStream out(&stdoutFile);
        QTextStream err(stderr);
        TerminalPasswordSource terminal;
        status = AuditTool::run(QCoreApplication::arguments().mid(1),
                                QProcessEnvironment::systemEnvironment(), out, err, &terminal);
    }
    return status;
}
