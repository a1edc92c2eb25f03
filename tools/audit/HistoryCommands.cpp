#include "tools/audit/HistoryCommands.h"

#include "core/ContactAudit.h"
#include "core/HistoryJournal.h"
#include "core/MemoryResultView.h"
#include "platform/base/AuditTexts.h"
#include "platform/history/HistoryChanges.h"
#include "platform/history/HistoryPeriods.h"
#include "platform/history/HistoryStore.h"
#include "platform/history/SpanishDate.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "tools/audit/AccountChoice.h"
#include "tools/audit/AuditTool.h"
#include "tools/audit/DesktopNotice.h"
#include "tools/audit/HistoryCommandLine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <algorithm>

namespace {

using Format = AuditOptions::Format;

QString padded(const QString &text, qsizetype width)
{
    return text + QString(std::max<qsizetype>(0, width - text.size()), QLatin1Char(' '));
}

QString isoTime(const QDateTime &when)
{
    return when.toUTC().toString(Qt::ISODateWithMs);
}

// Rows of text in columns two blanks apart, the last column unpadded.
void printColumns(const QList<QStringList> &rows, QTextStream &out)
{
    QList<qsizetype> widths;
    for (const QStringList &row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.append(0);
            widths[c] = std::max(widths[c], row.at(c).size());
        }
    }
    for (const QStringList &row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? padded(row.at(c), widths.at(c) + 2) : row.at(c);
        out << line << '\n';
    }
}

struct ChangeRow
{
    const char *kind;
    QString label;
    ContactChange change;
};

QList<ChangeRow> changeRows(const HistoryChanges &changes)
{
    QList<ChangeRow> rows;
    for (const ContactChange &change : changes.appeared)
        rows.append({"new", QStringLiteral("Nuevo Zorko"), change});
    for (const ContactChange &change : changes.addedBack)
        rows.append({"addedBack", QStringLiteral("Te volvió a agregar"), change});
    for (const ContactChange &change : changes.removed)
        rows.append({"removed", QStringLiteral("Eliminado por ti"), change});
    return rows;
}

QJsonArray jsonChanges(const QList<ContactChange> &changes, const char *timeKey)
{
    QJsonArray array;
    for (const ContactChange &change : changes)
        array.append(QJsonObject{{"EmailAddress", change.contact.address},
                                 {"FriendlyName", change.contact.name},
                                 {QLatin1String(timeKey), isoTime(change.at)}});
    return array;
}

void printChanges(const HistoryChanges &changes, const QString &account, const QString &summary,
                  Format format, QTextStream &out)
{
    const QList<ChangeRow> rows = changeRows(changes);
    switch (format) {
    case Format::Table: {
        if (!rows.isEmpty()) {
            QList<QStringList> table{{QStringLiteral("Cambio"), QStringLiteral("EmailAddress"),
                                      QStringLiteral("FriendlyName"), QStringLiteral("Fecha")}};
            for (const ChangeRow &row : rows)
                table.append({row.label, AuditTool::escapeControls(row.change.contact.address),
                              AuditTool::escapeControls(row.change.contact.name),
                              SpanishDate::shortDateTime(row.change.at)});
            printColumns(table, out);
            out << '\n';
        }
        out << AuditTool::escapeControls(summary) << '\n';
        break;
    }
    case Format::Csv:
        out << "Change,EmailAddress,FriendlyName,Time\r\n";
        for (const ChangeRow &row : rows)
            out << row.kind << ',' << AuditTool::csvField(row.change.contact.address) << ','
                << AuditTool::csvField(row.change.contact.name) << ',' << isoTime(row.change.at)
                << "\r\n";
        break;
    case Format::Json: {
        const QJsonObject root{{"account", account},
                               {"previous", changes.hasBaseline
                                                ? QJsonValue(isoTime(changes.baselineSeen))
                                                : QJsonValue()},
                               {"new", jsonChanges(changes.appeared, "firstSeen")},
                               {"addedBack", jsonChanges(changes.addedBack, "seen")},
                               {"removed", jsonChanges(changes.removed, "removedAt")},
                               {"summary", summary}};
        out << QJsonDocument(root).toJson(QJsonDocument::Indented);
        break;
    }
    }
}

class Commands
{
public:
    Commands(const HistoryOptions &options, const QProcessEnvironment &environment,
             QTextStream &out, QTextStream &err)
        : m_options(options), m_environment(environment), m_out(out), m_err(err)
    {
    }

    int changes(PasswordSource *askPassword);
    int history();
    int forget(const HistoryCommands::ReadAnswer &readAnswer);
    int keep();

private:
    std::unique_ptr<HistoryStore> openStore();
    // The sign-in name of the chosen account, read without signing in.
    QString accountName() const
    {
        return signInNameOf(chooseAuditAccount(m_options.account, m_environment));
    }

    const HistoryOptions &m_options;
    const QProcessEnvironment &m_environment;
    QTextStream &m_out;
    QTextStream &m_err;
};

std::unique_ptr<HistoryStore> Commands::openStore()
{
    return std::make_unique<HistoryStore>(HistoryStore::defaultPath());
}

int Commands::changes(PasswordSource *askPassword)
{
    const AccountChoice choice = chooseAuditAccount(m_options.account, m_environment);
    if (m_options.notify && noAccountRemembered(choice)) {
        m_out << "No hay ninguna cuenta recordada: no hay nada que comprobar.\n";
        return AuditTool::Done;
    }
    const std::unique_ptr<MessengerClient> client =
        createAuditClient(choice, m_environment, askPassword);
    const auto service = client->serviceSet()->defaultService();
    if (service->signInState() == MessengerService::SignedOut) {
        m_err << AuditTexts::signedOut() << '\n';
        return AuditTool::SignedOut;
    }
    const QString account = service->signInName();
    HistoryJournal journal(
        HistoryStore::defaultPath(), account, choice.backendName(),
        [this](const QString &text) { m_err << "orvalin-audit: " << text << '\n'; });
    MemoryResultView view;
    ContactAudit audit(view);
    audit.setJournal(&journal);
    if (const QDateTime taken = client->listsTakenAt(); taken.isValid())
        journal.setClock([taken] { return taken; });
    audit.BuscaIgn(*client);
    if (const QString warning = client->scanWarning(); !warning.isEmpty())
        m_err << "orvalin-audit: " << warning << '\n';

    HistoryStore *store = journal.store();
    if (!store || journal.failed()) {
        m_err << "orvalin-audit: sin el historial no se puede saber qué ha cambiado\n";
        return AuditTool::Failure;
    }
    const HistoryChanges changes = HistoryChanges::between(
        store->snapshots(account), store->removals(account), m_options.since);
    if (!changes.hasBaseline) {
        const QString none =
            m_options.since.isValid()
                ? QStringLiteral("No hay ningún análisis de %1 anterior al %2: no hay con qué "
                                 "comparar.")
                      .arg(account, SpanishDate::longDate(m_options.since))
                : QStringLiteral("No hay ningún análisis anterior de %1: no hay con qué comparar; "
                                 "este queda guardado para la próxima vez.")
                      .arg(account);
        printChanges(changes, account, none, m_options.format, m_out);
        return AuditTool::Done;
    }
    const QDateTime since = m_options.since.isValid() ? m_options.since : changes.baselineSeen;
    const QString summary =
        HistoryChanges::summary(changes.appeared.size(), since.toLocalTime().date());
    printChanges(changes, account, summary, m_options.format, m_out);

    // One notice per change: the next day's identical scan joins the snapshot already told of.
    if (m_options.notify && !changes.appeared.isEmpty() && !changes.latestNotified) {
        DesktopNotice::send(summary, DesktopNotice::body(changes.appeared));
        store->markNotified(changes.latestId);
    }
    return AuditTool::Done;
}

int Commands::history()
{
    const QString account = accountName();
    const QString address = m_options.addresses.first();
    const auto store = openStore();
    const QList<HistoryPeriod> periods =
        HistoryPeriod::of(address, store->snapshots(account), store->removals(account));
    const QString shown = AuditTool::escapeControls(address);
    if (periods.isEmpty()) {
        m_out << shown << " no aparece como Zorko en el historial de "
              << AuditTool::escapeControls(account) << ".\n";
        return AuditTool::Done;
    }
    QList<QStringList> table{
        {QStringLiteral("Zorko desde"), QStringLiteral("Visto hasta"), QStringLiteral("Final")}};
    int removed = 0;
    for (const HistoryPeriod &period : periods) {
        QString end;
        switch (period.end) {
        case HistoryPeriod::End::Ongoing:
            end = QStringLiteral("sigue siendo Zorko");
            break;
        case HistoryPeriod::End::AddedBack:
            end = QStringLiteral("te volvió a agregar (visto el %1)")
                      .arg(SpanishDate::shortDateTime(period.endedAt));
            break;
        case HistoryPeriod::End::Removed:
            ++removed;
            end = QStringLiteral("lo eliminaste el %1")
                      .arg(SpanishDate::shortDateTime(period.endedAt));
            break;
        }
        table.append({SpanishDate::shortDateTime(period.firstSeen),
                      SpanishDate::shortDateTime(period.lastSeen), end});
    }
    printColumns(table, m_out);
    m_out << '\n'
          << shown << ": "
          << (periods.size() == 1 ? QStringLiteral("1 periodo como Zorko")
                                  : QStringLiteral("%1 periodos como Zorko").arg(periods.size()))
          << (removed == 0
                  ? QString()
                  : QStringLiteral(", eliminado por ti %1 %2")
                        .arg(removed)
                        .arg(removed == 1 ? QStringLiteral("vez") : QStringLiteral("veces")))
          << '\n';
    return AuditTool::Done;
}

int Commands::forget(const HistoryCommands::ReadAnswer &readAnswer)
{
    const QString account = AuditTool::escapeControls(accountName());
    if (!m_options.yes) {
        m_out << "¿Borrar todo el historial y la lista de protegidos de " << account
              << "? Escriba «sí» para confirmar: " << Qt::flush;
        const QString answer = readAnswer ? readAnswer().trimmed().toLower() : QString();
        static const QStringList Yes = {QStringLiteral("sí"), QStringLiteral("si"),
                                        QStringLiteral("s")};
        if (!Yes.contains(answer)) {
            m_out << "No se ha borrado nada.\n";
            return AuditTool::Incomplete;
        }
    }
    openStore()->forget(accountName());
    m_out << "Borrados el historial y la lista de protegidos de " << account << ".\n";
    return AuditTool::Done;
}

int Commands::keep()
{
    const QString account = accountName();
    const auto store = openStore();
    if (m_options.command == HistoryOptions::Command::KeepList) {
        const QStringList kept = store->keptAddresses(account);
        if (kept.isEmpty())
            m_out << "No tienes contactos protegidos.\n";
        for (const QString &address : kept)
            m_out << AuditTool::escapeControls(address) << '\n';
        return AuditTool::Done;
    }
    bool unchanged = false;
    for (const QString &address : m_options.addresses) {
        const QString shown = AuditTool::escapeControls(address);
        if (m_options.command == HistoryOptions::Command::KeepAdd) {
            const bool added = store->keep(account, address, QDateTime::currentDateTimeUtc());
            m_out << (added ? "Protegido: " : "Ya estaba protegido: ") << shown << '\n';
        } else {
            const bool removed = store->unkeep(account, address);
            unchanged = unchanged || !removed;
            m_out << (removed ? "Ya no está protegido: " : "No estaba protegido: ") << shown
                  << '\n';
        }
    }
    return unchanged ? AuditTool::Incomplete : AuditTool::Done;
}

} // namespace

int HistoryCommands::run(const QStringList &arguments, const QProcessEnvironment &environment,
                         QTextStream &out, QTextStream &err, PasswordSource *askPassword,
                         const ReadAnswer &readAnswer)
{
    const HistoryCommandLine::Result parsed = HistoryCommandLine::parse(arguments);
    if (!parsed.ok) {
        err << "orvalin-audit: " << parsed.error << '\n';
        return AuditTool::UsageError;
    }
    Commands commands(parsed.options, environment, out, err);
    try {
        switch (parsed.options.command) {
        case HistoryOptions::Command::Changes:
            return commands.changes(askPassword);
        case HistoryOptions::Command::History:
            return commands.history();
        case HistoryOptions::Command::Forget:
            return commands.forget(readAnswer);
        case HistoryOptions::Command::KeepAdd:
        case HistoryOptions::Command::KeepRemove:
        case HistoryOptions::Command::KeepList:
            return commands.keep();
        }
    } catch (const std::exception &error) {
        err << "orvalin-audit: " << QString::fromUtf8(error.what()) << '\n';
    }
    return AuditTool::Failure;
}
