#pragma once

#include "core/AuditJournal.h"
#include "platform/history/HistoryError.h"

#include <QDateTime>
#include <functional>
#include <memory>
#include <optional>

class HistoryStore;

// Keeps the history of one account in the history database. The database is opened at the
// first need; when it cannot be opened, read or written, the first failure of the run goes to
// the warning callback and the scan carries on as if there were no history. Only the keep list
// is strict: when it cannot be read, keptAddresses throws and nothing is removed.
class HistoryJournal : public AuditJournal
{
public:
    using Warn = std::function<void(const QString &message)>;
    using Clock = std::function<QDateTime()>;

    HistoryJournal(QString path, const QString &account, QString backend, Warn warn);
    ~HistoryJournal() override;

    QSet<QString> keptAddresses() override;
    void scanCompleted(const QList<HistoryContact> &listed) override;
    void contactsRemoved(const QStringList &addresses) override;

    // The canonical name the account's history is filed under.
    const QString &account() const { return m_account; }
    // The open store, or nullptr after a warning about it.
    HistoryStore *store();
    // Whether anything failed in this run, so that the history may lack the latest scan.
    bool failed() const { return m_warned; }
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The warning the window and the tool show, with the reason.
    static QString warningText(const QString &reason);
    // Why a removal was refused: the file, what was wrong and what the user can do.
    static HistoryError guardError(const HistoryError &cause);

private:
    void warnOnce(const QString &reason);
    template <typename Action> void attempt(Action action);

    QString m_path;
    QString m_account;
    QString m_backend;
    Warn m_warn;
    Clock m_clock;
    std::unique_ptr<HistoryStore> m_store;
    // Set when the file would not open; it is not tried again in the same run.
    std::optional<HistoryError> m_openError;
    bool m_warned = false;
};
