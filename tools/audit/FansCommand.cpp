#include "tools/audit/FansCommand.h"

#include "core/HistoryJournal.h"
#include "platform/base/AuditTexts.h"
#include "platform/base/Error.h"
#include "platform/history/HistoryStore.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "tools/audit/AuditAccount.h"
#include "tools/audit/AuditTool.h"
#include "tools/audit/FansWriter.h"

#include <QHash>
#include <QSet>
#include <QTextStream>

namespace {

using Command = AuditOptions::Command;
using Fan = MessengerFans::Fan;

// The kept addresses, or the reason they could not be read, in which case nothing is dropped.
QString readKept(const AccountChoice &choice, MessengerClient &client, QTextStream &err,
                 QSet<QString> &kept, QString &account)
{
    HistoryJournal journal(
        HistoryStore::defaultPath(), client.serviceSet()->defaultService()->signInName(),
        choice.backendName(),
        [&err](const QString &text) { err << "orvalin-audit: " << text << '\n'; });
    account = journal.account();
    try {
        kept = journal.keptAddresses();
    } catch (const Error &error) {
        return error.message();
    }
    return QString();
}

QString resultOf(Command command, Fan::Kind kind)
{
    const bool request = kind == Fan::Kind::Request;
    if (command == Command::FansAdd)
        return request ? QStringLiteral("approved") : QStringLiteral("subscribed");
    return request ? QStringLiteral("declined") : QStringLiteral("revoked");
}

FansReport act(const AuditOptions &options, MessengerFans &fans, const QSet<QString> &kept,
               const QString &account)
{
    QHash<QString, Fan::Kind> listed;
    for (const Fan &fan : fans.list())
        listed.insert(fan.emailAddress, fan.kind);
    FansReport report;
    report.account = account;
    QStringList acting;
    for (const QString &address : options.addresses) {
        if (!listed.contains(address))
            report.notListed.append(address);
        else if (options.command == Command::FansDrop && kept.contains(address))
            report.kept.append(address);
        else
            acting.append(address);
    }
    QHash<QString, QString> failed;
    if (!acting.isEmpty())
        failed = options.command == Command::FansAdd ? fans.add(acting) : fans.drop(acting);
    for (const QString &address : acting) {
        if (failed.contains(address))
            report.failed.append({address, QStringLiteral("failed"), failed.value(address)});
        else
            report.done.append({address, resultOf(options.command, listed.value(address)), {}});
    }
    try {
        report.caption = FansWriter::caption(fans.list());
    } catch (const Error &error) {
        report.caption =
            QStringLiteral("No se pudo volver a leer la lista: %1").arg(error.message());
    }
    return report;
}

} // namespace

QString FansCommand::noListText()
{
    return QStringLiteral("esta cuenta no tiene lista de fans: solo una cuenta XMPP dice quién te "
                          "tiene sin que tú lo tengas y qué solicitudes esperan respuesta");
}

int FansCommand::run(const AuditOptions &options, const QProcessEnvironment &environment,
                     QTextStream &out, QTextStream &err, PasswordSource *askPassword,
                     QStringList &acted)
{
    const AccountChoice choice = chooseAuditAccount(options.account, environment);
    const std::unique_ptr<MessengerClient> client =
        createAuditClient(choice, environment, askPassword, err);
    if (client->serviceSet()->defaultService()->signInState() == MessengerService::SignedOut) {
        err << AuditTexts::signedOut() << '\n';
        return AuditTool::SignedOut;
    }
    MessengerFans *fans = client->fans();
    if (!fans) {
        err << "orvalin-audit: " << noListText() << '\n';
        return AuditTool::Failure;
    }
    FansWriter writer(options.format, out);
    if (options.command == Command::FansList) {
        writer.list(fans->list());
        return AuditTool::Done;
    }
    QSet<QString> kept;
    QString account;
    if (options.command == Command::FansDrop) {
        if (const QString unguarded = readKept(choice, *client, err, kept, account);
            !unguarded.isEmpty()) {
            err << "orvalin-audit: " << AuditTool::escapeControls(unguarded) << '\n';
            return AuditTool::Failure;
        }
    }
    const FansReport report = act(options, *fans, kept, account);
    for (const FansReport::Outcome &outcome : report.done)
        acted.append(outcome.emailAddress);
    writer.report(report);
    return report.failed.isEmpty() && report.kept.isEmpty() && report.notListed.isEmpty()
               ? AuditTool::Done
               : AuditTool::Incomplete;
}
