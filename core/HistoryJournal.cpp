#include "core/HistoryJournal.h"

#include "platform/history/HistoryError.h"
#include "platform/history/HistoryStore.h"

HistoryJournal::HistoryJournal(QString path, QString account, QString backend, Warn warn)
    : m_path(std::move(path)), m_account(std::move(account)), m_backend(std::move(backend)),
      m_warn(std::move(warn)), m_clock([] { return QDateTime::currentDateTimeUtc(); })
{
}

HistoryJournal::~HistoryJournal() = default;

QString HistoryJournal::warningText(const QString &reason)
{
    return QStringLiteral("El historial no está disponible; la búsqueda y la eliminación "
                          "siguen sin él.\n%1")
        .arg(reason);
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
    if (!m_store && !m_openFailed) {
        try {
            m_store = std::make_unique<HistoryStore>(m_path);
        } catch (const Error &error) {
            m_openFailed = true;
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

QSet<QString> HistoryJournal::keptAddresses()
{
    QSet<QString> kept;
    attempt([&](HistoryStore &history) {
        const QStringList addresses = history.keptAddresses(m_account);
        kept = QSet<QString>(addresses.cbegin(), addresses.cend());
    });
    return kept;
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
