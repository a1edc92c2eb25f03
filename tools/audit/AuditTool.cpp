#include "tools/audit/AuditTool.h"

#include "core/ContactAudit.h"
#include "core/HistoryJournal.h"
#include "core/MemoryResultView.h"
#include "core/PlainText.h"
#include "platform/base/AuditTexts.h"
#include "platform/history/HistoryStore.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "tools/audit/AccountChoice.h"
#include "tools/audit/AuditCommandLine.h"
#include "tools/audit/HistoryCommandLine.h"
#include "tools/audit/HistoryCommands.h"

#include <QFileDevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTextStream>
#include <algorithm>

namespace {

const QString NotListedReason = QStringLiteral("no aparece en la lista de Zorko");

struct RemovalReport
{
    QStringList removed;
    QList<RemovalFailure> failed;
    QStringList kept;
    QStringList notListed;
    qint16 count = 0;
    QString caption;
};

QString padded(const QString &text, qsizetype width)
{
    return text + QString(std::max<qsizetype>(0, width - text.size()), QLatin1Char(' '));
}

// Kept contacts are marked in a Protegido column, shown once the account keeps anyone.
// A client with profile links (a network's download) adds a Link column and a "link" field.
void printScan(const MemoryResultView &view, qint16 count, const QSet<QString> &kept,
               const MessengerClient &client, AuditOptions::Format format, QTextStream &out)
{
    const bool marks = !kept.isEmpty();
    const bool links = client.hasProfileLinks();
    switch (format) {
    case AuditOptions::Format::Table: {
        const QString header = QStringLiteral("EmailAddress");
        const QString nameHeader = QStringLiteral("FriendlyName");
        qsizetype width = header.size();
        qsizetype nameWidth = nameHeader.size();
        for (const auto &row : view.rows()) {
            width = std::max(width, AuditTool::escapeControls(row.key).size());
            nameWidth = std::max(nameWidth, AuditTool::escapeControls(row.text).size());
        }
        out << padded(header, width + 2)
            << (marks ? padded(nameHeader, nameWidth + 2) + QStringLiteral("Protegido")
                      : nameHeader)
            << '\n';
        for (const auto &row : view.rows()) {
            const QString name = AuditTool::escapeControls(row.text);
            out << padded(AuditTool::escapeControls(row.key), width + 2);
            if (marks && kept.contains(row.key))
                out << padded(name, nameWidth + 2) << QStringLiteral("sí");
            else
                out << name;
            out << '\n';
        }
        out << '\n' << AuditTool::escapeControls(view.caption()) << '\n';
        break;
    }
    case AuditOptions::Format::Csv:
        out << (marks ? "EmailAddress,FriendlyName,Protegido" : "EmailAddress,FriendlyName")
            << (links ? ",Link\r\n" : "\r\n");
        for (const auto &row : view.rows()) {
            out << AuditTool::csvField(row.key) << ',' << AuditTool::csvField(row.text);
            if (marks)
                out << ','
                    << (kept.contains(row.key) ? QStringLiteral("sí") : QStringLiteral("no"));
            if (links)
                out << ',' << AuditTool::csvField(client.profileLink(row.key));
            out << "\r\n";
        }
        break;
    case AuditOptions::Format::Json: {
        QJsonArray zorkos;
        for (const auto &row : view.rows()) {
            QJsonObject zorko{{"EmailAddress", row.key},
                              {"FriendlyName", row.text},
                              {"kept", kept.contains(row.key)}};
            if (links)
                zorko.insert(QStringLiteral("link"), client.profileLink(row.key));
            zorkos.append(zorko);
        }
        const QJsonObject root{{"count", count}, {"caption", view.caption()}, {"zorkos", zorkos}};
        out << QJsonDocument(root).toJson(QJsonDocument::Indented);
        break;
    }
    }
}

void printRemoval(const RemovalReport &report, AuditOptions::Format format, QTextStream &out)
{
    switch (format) {
    case AuditOptions::Format::Table:
        for (const QString &address : report.removed)
            out << "Eliminado: " << AuditTool::escapeControls(address) << '\n';
        for (const RemovalFailure &failure : report.failed)
            out << "No eliminado: " << AuditTool::escapeControls(failure.emailAddress) << " ("
                << AuditTool::escapeControls(failure.reason) << ")\n";
        for (const QString &address : report.kept)
            out << "Protegido: " << AuditTool::escapeControls(address) << " ("
                << ContactAudit::keptReason() << ")\n";
        for (const QString &address : report.notListed)
            out << "No listado: " << AuditTool::escapeControls(address) << " (" << NotListedReason
                << ")\n";
        out << AuditTool::escapeControls(report.caption) << '\n';
        break;
    case AuditOptions::Format::Csv:
        out << "EmailAddress,Result,Reason\r\n";
        for (const QString &address : report.removed)
            out << AuditTool::csvField(address) << ",removed,\r\n";
        for (const RemovalFailure &failure : report.failed)
            out << AuditTool::csvField(failure.emailAddress) << ",failed,"
                << AuditTool::csvField(failure.reason) << "\r\n";
        for (const QString &address : report.kept)
            out << AuditTool::csvField(address) << ",kept,"
                << AuditTool::csvField(ContactAudit::keptReason()) << "\r\n";
        for (const QString &address : report.notListed)
            out << AuditTool::csvField(address) << ",notListed,"
                << AuditTool::csvField(NotListedReason) << "\r\n";
        break;
    case AuditOptions::Format::Json: {
        QJsonArray failed;
        for (const RemovalFailure &failure : report.failed)
            failed.append(
                QJsonObject{{"EmailAddress", failure.emailAddress}, {"reason", failure.reason}});
        const QJsonObject root{{"removed", QJsonArray::fromStringList(report.removed)},
                               {"failed", failed},
                               {"kept", QJsonArray::fromStringList(report.kept)},
                               {"notListed", QJsonArray::fromStringList(report.notListed)},
                               {"count", report.count},
                               {"caption", report.caption}};
        out << QJsonDocument(root).toJson(QJsonDocument::Indented);
        break;
    }
    }
}

RemovalReport removeListed(ContactAudit &audit, MemoryResultView &view, MessengerClient &client,
                           const QStringList &addresses)
{
    RemovalReport report;
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
    for (const RemovalFailure &failure : audit.RemoveChecked(client)) {
        failed.insert(failure.emailAddress);
        if (failure.kept)
            report.kept.append(failure.emailAddress);
        else
            report.failed.append(failure);
    }
    for (const QString &address : ticked) {
        if (!failed.contains(address))
            report.removed.append(address);
    }
    report.count = audit.zorkoCount();
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
                     ? file->errorString()
                     : QStringLiteral("error de escritura");
    if (file && file->isOpen()) {
        file->close();
        if (reason.isEmpty() && file->error() != QFileDevice::NoError)
            reason = file->errorString();
    }
    return reason;
}

int outputFailed(const QString &reason, QTextStream &err)
{
    err << "orvalin-audit: no se pudo escribir la salida estándar ("
        << AuditTool::escapeControls(reason) << ")\n";
    return AuditTool::OutputFailed;
}

} // namespace

int AuditTool::run(const QStringList &arguments, const QProcessEnvironment &environment,
                   QTextStream &out, QTextStream &err, PasswordSource *askPassword)
{
    if (HistoryCommandLine::handles(arguments)) {
        const int status = HistoryCommands::run(arguments, environment, out, err, askPassword,
                                                [] { return QTextStream(stdin).readLine(); });
        const QString failed = finishOutput(out);
        return failed.isEmpty() ? status : outputFailed(failed, err);
    }
    const AuditCommandLine::Result parsed = AuditCommandLine::parse(arguments);
    if (!parsed.ok) {
        err << "orvalin-audit: " << parsed.error << '\n';
        return UsageError;
    }
    const AuditOptions &options = parsed.options;
    if (options.command == AuditOptions::Command::Help) {
        out << AuditCommandLine::usage() << '\n' << HistoryCommandLine::usage();
        const QString failed = finishOutput(out);
        return failed.isEmpty() ? Done : outputFailed(failed, err);
    }

    try {
        const AccountChoice choice = chooseAuditAccount(options.account, environment);
        const std::unique_ptr<MessengerClient> client =
            createAuditClient(choice, environment, askPassword);
        if (client->serviceSet()->defaultService()->signInState() == MessengerService::SignedOut) {
            err << AuditTexts::signedOut() << '\n';
            return SignedOut;
        }
        MemoryResultView view;
        ContactAudit audit(view);
        // Every scan and removal is recorded; a history that fails is told once and skipped.
        HistoryJournal journal(
            HistoryStore::defaultPath(), client->serviceSet()->defaultService()->signInName(),
            choice.backendName(),
            [&err](const QString &text) { err << "orvalin-audit: " << text << '\n'; });
        audit.setJournal(&journal);
        // A downloaded copy is dated by when it was made, not by when it is opened.
        if (const QDateTime taken = client->listsTakenAt(); taken.isValid())
            journal.setClock([taken] { return taken; });
        view.clearRows();
        audit.BuscaIgn(*client);
        if (const QString warning = client->scanWarning(); !warning.isEmpty())
            err << "orvalin-audit: " << warning << '\n';
        if (options.command == AuditOptions::Command::Scan) {
            printScan(view, audit.zorkoCount(), journal.keptAddresses(), *client, options.format,
                      out);
            const QString failed = finishOutput(out);
            return failed.isEmpty() ? Done : outputFailed(failed, err);
        }
        // Nothing can be removed through a downloaded copy: every row stays as it is.
        if (const QString refusal = client->removalRefusal(); !refusal.isEmpty()) {
            err << "orvalin-audit: " << escapeControls(refusal) << '\n';
            return Incomplete;
        }
        const RemovalReport report = removeListed(audit, view, *client, options.addresses);
        printRemoval(report, options.format, out);
        const QString failed = finishOutput(out);
        if (!failed.isEmpty()) {
            // What was removed is gone from the account: it must be told somewhere.
            for (const QString &address : report.removed)
                err << "Eliminado: " << escapeControls(address) << '\n';
            return outputFailed(failed, err);
        }
        return report.failed.isEmpty() && report.kept.isEmpty() && report.notListed.isEmpty()
                   ? Done
                   : Incomplete;
    } catch (const std::exception &error) {
        // Messages quote file contents and server texts: nothing in them may steer the terminal.
        err << "orvalin-audit: " << escapeControls(QString::fromUtf8(error.what())) << '\n';
        return Failure;
    }
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
