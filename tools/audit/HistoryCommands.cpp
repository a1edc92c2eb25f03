#include "tools/audit/HistoryCommands.h"

#include "platform/base/AccountName.h"
#include "platform/base/Error.h"
#include "platform/history/HistoryChanges.h"
#include "platform/history/HistoryPeriods.h"
#include "platform/history/HistoryStore.h"
#include "platform/history/SpanishDate.h"
#include "tools/audit/AuditAccount.h"
#include "tools/audit/AuditTool.h"
#include "tools/audit/DesktopNotice.h"
#include "tools/audit/KeepCommand.h"
#include "tools/audit/ReportWriter.h"
#include "tools/audit/ScanSession.h"

#include <QTextStream>

namespace {

class Commands
{
public:
    Commands(const AuditOptions &options, const QProcessEnvironment &environment, QTextStream &out,
             QTextStream &err)
        : m_options(options), m_environment(environment), m_out(out), m_err(err)
    {
    }

    int changes(PasswordSource *askPassword);
    int history();
    int forget(const HistoryCommands::ReadAnswer &readAnswer);

private:
    std::unique_ptr<HistoryStore> openStore();
    // The canonical name of the chosen account, read without signing in.
    QString accountName() const
    {
        return AccountName::canonical(
            signInNameOf(chooseAuditAccount(m_options.account, m_environment)));
    }

    const AuditOptions &m_options;
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
    const std::unique_ptr<ScanSession> session =
        ScanSession::start(choice, m_environment, m_err, askPassword);
    if (!session)
        return AuditTool::SignedOut;
    const QString account = session->account();
    HistoryJournal &journal = session->journal();

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
        ReportWriter(m_options.format, m_out).changes(changes, account, none);
        return AuditTool::Done;
    }
    const QDateTime since = m_options.since.isValid() ? m_options.since : changes.baselineSeen;
    const QString summary =
        HistoryChanges::summary(changes.appeared.size(), since.toLocalTime().date());
    ReportWriter(m_options.format, m_out).changes(changes, account, summary);

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
    ReportWriter::columns(table, m_out);
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

QString forgottenText(const QString &account, const HistoryStore::Forgotten &forgotten)
{
    if (forgotten.isEmpty())
        return QStringLiteral("No había nada que borrar de %1: ningún análisis, ninguna "
                              "eliminación ni ningún contacto protegido.")
            .arg(account);
    const auto counted = [](qint64 n, const char *one, const char *many) {
        return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
    };
    return QStringLiteral("Borrados de %1: %2, %3 y %4.")
        .arg(account, counted(forgotten.scans, "análisis", "análisis"),
             counted(forgotten.removals, "eliminación registrada", "eliminaciones registradas"),
             counted(forgotten.kept, "contacto protegido", "contactos protegidos"));
}

int Commands::forget(const HistoryCommands::ReadAnswer &readAnswer)
{
    const QString name = accountName();
    const QString account = AuditTool::escapeControls(name);
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
    m_out << forgottenText(account, openStore()->forget(name)) << '\n';
    return AuditTool::Done;
}

} // namespace

int HistoryCommands::run(const AuditOptions &options, const QProcessEnvironment &environment,
                         QTextStream &out, QTextStream &err, PasswordSource *askPassword,
                         const ReadAnswer &readAnswer)
{
    Commands commands(options, environment, out, err);
    try {
        switch (options.command) {
        case AuditOptions::Command::Changes:
            return commands.changes(askPassword);
        case AuditOptions::Command::History:
            return commands.history();
        case AuditOptions::Command::Forget:
            return commands.forget(readAnswer);
        case AuditOptions::Command::KeepAdd:
        case AuditOptions::Command::KeepRemove:
        case AuditOptions::Command::KeepList:
            return KeepCommand(options, environment, out, err).run(askPassword);
        case AuditOptions::Command::Scan:
        case AuditOptions::Command::Remove:
        case AuditOptions::Command::FansList:
        case AuditOptions::Command::FansAdd:
        case AuditOptions::Command::FansDrop:
        case AuditOptions::Command::Help:
        case AuditOptions::Command::Version:
            break;
        }
    } catch (const Error &error) {
        err << "orvalin-audit: " << error.message() << '\n';
    } catch (const std::exception &error) {
        // A failure not of ours still ends with its reason rather than an abort.
        err << "orvalin-audit: " << Error::messageOf(error) << '\n';
    }
    return AuditTool::Failure;
}
