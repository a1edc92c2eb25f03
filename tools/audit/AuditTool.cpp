#include "tools/audit/AuditTool.h"

#include "app/ContactAudit.h"
#include "app/MemoryResultView.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/accounts/AccountChooser.h"
#include "platform/messenger/accounts/Keyring.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "platform/messenger/xmpp/NoPasswordSource.h"
#include "tools/audit/AuditCommandLine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <algorithm>

namespace {

const QString SignedOutText =
    QStringLiteral("Debe Tener Iniciada Sesion en MSN Messenger para Utilizar este Programa");
const QString NotListedReason = QStringLiteral("no aparece en la lista de Zorko");

struct RemovalReport
{
    QStringList removed;
    QList<RemovalFailure> failed;
    QStringList notListed;
    qint16 count = 0;
    QString caption;
};

QString padded(const QString &text, qsizetype width)
{
    return text + QString(std::max<qsizetype>(0, width - text.size()), QLatin1Char(' '));
}

void printScan(const MemoryResultView &view, qint16 count, AuditOptions::Format format,
               QTextStream &out)
{
    switch (format) {
    case AuditOptions::Format::Table: {
        const QString header = QStringLiteral("EmailAddress");
        qsizetype width = header.size();
        for (const auto &row : view.rows())
            width = std::max(width, AuditTool::escapeControls(row.key).size());
        out << padded(header, width + 2) << "FriendlyName\n";
        for (const auto &row : view.rows())
            out << padded(AuditTool::escapeControls(row.key), width + 2)
                << AuditTool::escapeControls(row.text) << '\n';
        out << '\n' << AuditTool::escapeControls(view.caption()) << '\n';
        break;
    }
    case AuditOptions::Format::Csv:
        out << "EmailAddress,FriendlyName\r\n";
        for (const auto &row : view.rows())
            out << AuditTool::csvField(row.key) << ',' << AuditTool::csvField(row.text) << "\r\n";
        break;
    case AuditOptions::Format::Json: {
        QJsonArray zorkos;
        for (const auto &row : view.rows())
            zorkos.append(QJsonObject{{"EmailAddress", row.key}, {"FriendlyName", row.text}});
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
    QStringList ticked;
    for (int index = 1; index <= view.rowCount(); ++index) {
        if (addresses.contains(view.rowKey(index))) {
            view.setRowChecked(index, true);
            ticked.append(view.rowKey(index));
        }
    }
    for (const QString &address : addresses) {
        if (!ticked.contains(address))
            report.notListed.append(address);
    }
    report.failed = audit.RemoveChecked(client);
    for (const QString &address : ticked) {
        const bool failed = std::any_of(report.failed.cbegin(), report.failed.cend(),
                                        [&](const auto &f) { return f.emailAddress == address; });
        if (!failed)
            report.removed.append(address);
    }
    report.count = audit.zorkoCount();
    report.caption = view.caption();
    return report;
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
    if (options.command == AuditOptions::Command::Help) {
        out << AuditCommandLine::usage();
        return Done;
    }

    try {
        const RememberedAccounts remembered(RememberedAccounts::pathFor(environment));
        const AccountChooser chooser(environment, remembered);
        NoPasswordSource refused;
        const std::unique_ptr<MessengerClient> client =
            chooser.createClient(chooser.choose(options.account, AccountChooser::Fallback::Demo),
                                 Keyring(), askPassword ? *askPassword : refused);
        if (client->serviceSet()->defaultService()->signInState() == MessengerService::SignedOut) {
            err << SignedOutText << '\n';
            return SignedOut;
        }
        MemoryResultView view;
        ContactAudit audit(view);
        view.clearRows();
        audit.BuscaIgn(*client);
        if (options.command == AuditOptions::Command::Scan) {
            printScan(view, audit.zorkoCount(), options.format, out);
            return Done;
        }
        const RemovalReport report = removeListed(audit, view, *client, options.addresses);
        printRemoval(report, options.format, out);
        return report.failed.isEmpty() && report.notListed.isEmpty() ? Done : Incomplete;
    } catch (const std::exception &error) {
        err << "orvalin-audit: " << QString::fromUtf8(error.what()) << '\n';
        return Failure;
    }
}

QString AuditTool::escapeControls(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            escaped += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else if ((u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E ||
                 u == 0x200F || u == 0x061C || u == 0x2028 || u == 0x2029)
            escaped += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    return escaped;
}

QString AuditTool::csvField(const QString &text)
{
    if (!text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char(',')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
