#pragma once

#include "core/AuditJournal.h"

#include <QDateTime>
#include <functional>
#include <memory>

class HistoryStore;

// Keeps the history of one account in the history database. The database is opened at the
// first need; when it cannot be opened, read or written, the first failure of the run goes to
// the warning callback and the audit carries on as if there were no history.
class HistoryJournal : public AuditJournal
{
public:
    using Warn = std::function<void(const QString &message)>;
    using Clock = std::function<QDateTime()>;

    HistoryJournal(QString path, QString account, QString backend, Warn warn);
    ~HistoryJournal() override;

    QSet<QString> keptAddresses() override;
    void scanCompleted(const QList<HistoryContact> &listed) override;
    void contactsRemoved(const QStringList &addresses) override;

    const QString &account() const { return m_account; }
    // The open store, or nullptr after a warning about it.
    HistoryStore *store();
    // Whether anything failed in this run, so that the history may lack the latest scan.
    bool failed() const { return m_warned; }
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The warning the window and the tool show, with the reason.
    static QString warningText(const QString &reason);

private:
    void warnOnce(const QString &reason);
    template <typename Action> void attempt(Action action);

    QString m_path;
    QString m_account;
    QString m_backend;
    Warn m_warn;
    Clock m_clock;
    std::unique_ptr<HistoryStore> m_store;
    bool m_openFailed = false;
    bool m_warned = false;
};
