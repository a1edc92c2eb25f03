#include "core/HistoryJournal.h"

#include "platform/base/AccountName.h"
#include "platform/history/HistoryError.h"
#include "platform/history/HistoryStore.h"

HistoryJournal::HistoryJournal(QString path, const QString &account, QString backend, Warn warn)
    : m_path(std::move(path)), m_account(AccountName::canonical(account)),
      m_backend(std::move(backend)), m_warn(std::move(warn)),
      m_clock([] { return QDateTime::currentDateTimeUtc(); })
{
}

HistoryJournal::~HistoryJournal() = default;

QString HistoryJournal::warningText(const QString &reason)
{
    return QStringLiteral("El historial no está disponible; la búsqueda sigue sin él, pero no "
                          "se eliminará ningún contacto mientras no se pueda leer la lista de "
                          "protegidos.\n%1")
        .arg(reason);
}

HistoryError HistoryJournal::guardError(const HistoryError &cause)
{
    QString reason = cause.message();
    if (!reason.isEmpty())
        reason[0] = reason[0].toLower();
    return HistoryError(
        QStringLiteral("No se eliminó ningún contacto: %1; %2.").arg(reason, cause.remedy()),
        cause.cause());
}

void HistoryJournal::warnOnce(const QString &reason)
{
    if (m_warned)
        return;
    m_warned = true;
    if (m_warn)
        m_warn(warningText(reason));
}

HistoryStore *HistoryJournal::store()
{
    // A file that would not open is not tried again in the same run: each try may wait for a
    // lock, and the user has been told once.
    if (!m_store && !m_openError) {
        try {
            m_store = std::make_unique<HistoryStore>(m_path);
        } catch (const HistoryError &error) {
            m_openError = error;
            warnOnce(error.message());
        } catch (const Error &error) {
            m_openError = HistoryError(error.message());
            warnOnce(error.message());
        }
    }
    return m_store.get();
}

template <typename Action> void HistoryJournal::attempt(Action action)
{
    HistoryStore *history = store();
    if (!history)
        return;
    try {
        action(*history);
    } catch (const Error &error) {
        warnOnce(error.message());
    }
}

// The one strict read: a keep list that cannot be read stops the removal rather than letting a
// protected contact go.
QSet<QString> HistoryJournal::keptAddresses()
{
    HistoryStore *history = store();
    if (!history)
        throw guardError(*m_openError);
    try {
        const QStringList addresses = history->keptAddresses(m_account);
        return QSet<QString>(addresses.cbegin(), addresses.cend());
    } catch (const HistoryError &error) {
        warnOnce(error.message());
        throw guardError(error);
    }
}

void HistoryJournal::scanCompleted(const QList<HistoryContact> &listed)
{
    attempt([&](HistoryStore &history) {
        history.recordScan(m_account, m_backend, m_clock(), listed);
    });
}

void HistoryJournal::contactsRemoved(const QStringList &addresses)
{
    attempt(
        [&](HistoryStore &history) { history.recordRemovals(m_account, addresses, m_clock()); });
}
