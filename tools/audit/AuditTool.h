#pragma once

#include <QProcessEnvironment>
#include <QStringList>

class PasswordSource;
class QTextStream;

// orvalin-audit: the window's scan and removal on the command line, through the same
// ContactAudit. Returns the exit status:
//   0 done; 1 an address not listed or not removed; 2 usage error; 3 signed out;
//   4 the client or the scan failed; 5 the output could not be written (a removal already made
//   is then reported on the error stream).
class AuditTool
{
public:
    enum ExitStatus {
        Done = 0,
        Incomplete = 1,
        UsageError = 2,
        SignedOut = 3,
        Failure = 4,
        OutputFailed = 5
    };

    // The account is the one AccountChooser picks (demo when none is named). askPassword is
    // asked for a live account's password when neither a password file nor the keyring has
    // it; without it such an account is refused.
    static int run(const QStringList &arguments, const QProcessEnvironment &environment,
                   QTextStream &out, QTextStream &err, PasswordSource *askPassword = nullptr);

    // Table output and the error stream show texts as they are except for control (C0, C1)
    // and direction characters, which are written as escapes so that a name, a file or a
    // server cannot rewrite the terminal.
    static QString escapeControls(const QString &text);
    // An RFC 4180 field; one that a spreadsheet would take for a formula (starting with =, +,
    // -, @, tab or carriage return) gets a leading single quote.
    static QString csvField(const QString &text);
};
