#include "tools/audit/AuditTool.h"

#include "core/PlainText.h"
#include "platform/base/CommandLine.h"
#include "platform/base/Error.h"
#include "platform/base/SystemText.h"
#include "platform/messenger/MessengerClient.h"
#include "tools/audit/AuditAccount.h"
#include "tools/audit/AuditCommandLine.h"
#include "tools/audit/FansCommand.h"
#include "tools/audit/HistoryCommands.h"
#include "tools/audit/ReportWriter.h"
#include "tools/audit/ScanSession.h"

#include <QFileDevice>
#include <QSet>
#include <QTextStream>

namespace {

RemovalReport removeListed(ScanSession &session, const QStringList &addresses)
{
    RemovalReport report;
    report.account = session.account();
    MemoryResultView &view = session.view();
    const QSet<QString> wanted(addresses.cbegin(), addresses.cend());
    QStringList ticked;
    QSet<QString> tickedSet;
    for (int index = 1; index <= view.rowCount(); ++index) {
        if (wanted.contains(view.rowKey(index))) {
            view.setRowChecked(index, true);
            ticked.append(view.rowKey(index));
            tickedSet.insert(view.rowKey(index));
        }
    }
    for (const QString &address : addresses) {
        if (!tickedSet.contains(address))
            report.notListed.append(address);
    }
    QSet<QString> failed;
    for (const RemovalFailure &failure : session.audit().RemoveChecked(session.client())) {
        failed.insert(failure.emailAddress);
        if (failure.unguarded)
            report.unguarded = failure.reason;
        else if (failure.kept)
            report.kept.append(failure.emailAddress);
        else
            report.failed.append(failure);
    }
    for (const QString &address : ticked) {
        if (!failed.contains(address))
            report.removed.append(address);
    }
    report.count = session.audit().zorkoCount();
    report.caption = view.caption();
    return report;
}

// Flushes and closes the output; empty when everything written reached its destination,
// otherwise the reason it did not.
QString finishOutput(QTextStream &out)
{
    out.flush();
    auto *file = qobject_cast<QFileDevice *>(out.device());
    QString reason;
    if (out.status() != QTextStream::Ok)
        reason = file && file->error() != QFileDevice::NoError
                     ? SystemText::fileErrorText(*file)
                     : QStringLiteral("error de escritura");
    if (file && file->isOpen()) {
        file->close();
        if (reason.isEmpty() && file->error() != QFileDevice::NoError)
            reason = SystemText::fileErrorText(*file);
    }
    return reason;
}

int outputFailed(const QString &reason, QTextStream &err)
{
    err << "orvalin-audit: no se pudo escribir la salida estándar ("
        << AuditTool::escapeControls(reason) << ")\n";
    return AuditTool::OutputFailed;
}

// The status, unless the output could not be written.
int finished(int status, QTextStream &out, QTextStream &err)
{
    const QString failed = finishOutput(out);
    return failed.isEmpty() ? status : outputFailed(failed, err);
}

// A scan only marks the kept rows: without the keep list it shows them unmarked, the history's
// warning having been told already.
QSet<QString> keptForDisplay(HistoryJournal &journal)
{
    try {
        return journal.keptAddresses();
    } catch (const Error &) {
        return {};
    }
}

int scanOrRemove(const AuditOptions &options, const QProcessEnvironment &environment,
                 QTextStream &out, QTextStream &err, PasswordSource *askPassword)
{
    const AccountChoice choice = chooseAuditAccount(options.account, environment);
    const std::unique_ptr<ScanSession> session =
        ScanSession::start(choice, environment, err, askPassword);
    if (!session)
        return AuditTool::SignedOut;
    ReportWriter writer(options.format, out);
    if (options.command == AuditOptions::Command::Scan) {
        const MessengerClient &client = session->client();
        ReportWriter::ProfileLinks links;
        if (client.hasProfileLinks())
            links = [&client](const QString &key) { return client.profileLink(key); };
        writer.scan(session->view(), session->audit().zorkoCount(),
                    keptForDisplay(session->journal()), links);
        return finished(AuditTool::Done, out, err);
    }
    // Nothing can be removed through a downloaded copy: every row stays as it is.
    if (const QString refusal = session->removalRefusal(); !refusal.isEmpty()) {
        err << "orvalin-audit: " << AuditTool::escapeControls(refusal) << '\n';
        return AuditTool::Incomplete;
    }
    const RemovalReport report = removeListed(*session, options.addresses);
    // Nobody was removed: one sentence says why, and no report claims otherwise.
    if (!report.unguarded.isEmpty()) {
        err << "orvalin-audit: " << AuditTool::escapeControls(report.unguarded) << '\n';
        return AuditTool::Failure;
    }
    writer.removal(report);
    if (const QString failed = finishOutput(out); !failed.isEmpty()) {
        // What was removed is gone from the account: it must be told somewhere.
        for (const QString &address : report.removed)
            err << "Eliminado: " << AuditTool::escapeControls(address) << '\n';
        return outputFailed(failed, err);
    }
    return report.failed.isEmpty() && report.kept.isEmpty() && report.notListed.isEmpty()
               ? AuditTool::Done
               : AuditTool::Incomplete;
}

int fans(const AuditOptions &options, const QProcessEnvironment &environment, QTextStream &out,
         QTextStream &err, PasswordSource *askPassword)
{
    QStringList acted;
    const int status = FansCommand::run(options, environment, out, err, askPassword, acted);
    if (const QString failed = finishOutput(out); !failed.isEmpty()) {
        // What the server took stays done: it must be told somewhere.
        for (const QString &address : acted)
            err << "Hecho: " << AuditTool::escapeControls(address) << '\n';
        return outputFailed(failed, err);
    }
    return status;
}

// Runs a command that signs in; a failure ends with its reason on the error stream.
template <typename Command> int signedInCommand(QTextStream &err, Command command)
{
    try {
        return command();
    } catch (const Error &error) {
        // Messages quote file contents and server texts: nothing in them may steer the
        // terminal.
        err << "orvalin-audit: " << AuditTool::escapeControls(error.message()) << '\n';
        return AuditTool::Failure;
    } catch (const std::exception &error) {
        // A failure not of ours (out of memory, a library's own) still ends with its reason
        // rather than an abort.
        err << "orvalin-audit: " << AuditTool::escapeControls(Error::messageOf(error)) << '\n';
        return AuditTool::Failure;
    }
}

} // namespace

int AuditTool::run(const QStringList &arguments, const QProcessEnvironment &environment,
                   QTextStream &out, QTextStream &err, PasswordSource *askPassword)
{
    const AuditCommandLine::Result parsed = AuditCommandLine::parse(arguments);
    if (!parsed.ok) {
        err << "orvalin-audit: " << parsed.error << '\n';
        return UsageError;
    }
    const AuditOptions &options = parsed.options;
    switch (options.command) {
    case AuditOptions::Command::Help:
        out << AuditCommandLine::usage();
        return finished(Done, out, err);
    case AuditOptions::Command::Version:
        out << CommandLine::versionLine(QStringLiteral("orvalin-audit"));
        return finished(Done, out, err);
    case AuditOptions::Command::Scan:
    case AuditOptions::Command::Remove:
        return signedInCommand(
            err, [&] { return scanOrRemove(options, environment, out, err, askPassword); });
    case AuditOptions::Command::FansList:
    case AuditOptions::Command::FansAdd:
    case AuditOptions::Command::FansDrop:
        return signedInCommand(err,
                               [&] { return fans(options, environment, out, err, askPassword); });
    default:
        break;
    }
    const int status = HistoryCommands::run(options, environment, out, err, askPassword,
                                            [] { return QTextStream(stdin).readLine(); });
    return finished(status, out, err);
}

QString AuditTool::escapeControls(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!PlainText::isHazard(u))
            escaped += c;
        else if (u <= 0xFF)
            escaped += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            escaped += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
    }
    return escaped;
}

QString AuditTool::csvField(const QString &text)
{
    // A spreadsheet reads a field that starts like a formula as one; a leading quote keeps it
    // text (OWASP's advice for CSV injection).
    QString quoted = text;
    if (!text.isEmpty() && QStringView(u"=+-@\t\r").contains(text.front()))
        quoted.prepend(QLatin1Char('\''));
    if (!text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char(',')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return quoted;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
