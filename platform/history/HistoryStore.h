#pragma once

#include "platform/history/HistoryError.h"
#include "platform/history/HistoryRecords.h"

#include <QStringList>
#include <QVariantList>

#include <memory>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

// The history database of one user: every scan's list of Zorko per account, the contacts
// Orvalin removed, and the keep list. One SQLite file, readable only by its owner, in WAL mode;
// PRAGMA user_version holds the schema version and older files are brought up to date when
// opened. Accounts are filed under their canonical name (AccountName), whichever way a caller
// writes them. Every operation throws HistoryError when the file cannot be used.
class HistoryStore
{
public:
    static constexpr int SchemaVersion = 3;
    // PRAGMA application_id of every history file: "ORVH".
    static constexpr qint32 ApplicationId = 0x4f525648;

    // Opens the file, creating it and its folder when missing.
    explicit HistoryStore(const QString &path);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // ~/.local/share/orvalin/history.sqlite, or wherever XDG_DATA_HOME points: the data folder
    // of the application "orvalin", whichever of its programs asks.
    static QString defaultPath();

    const QString &path() const { return m_path; }
    int schemaVersion();

    // Stores a completed scan. A scan that found the same list as the account's latest snapshot
    // only extends it, so the history grows with the changes, not with the scans.
    void recordScan(const QString &account, const QString &backend, const QDateTime &when,
                    const QList<HistoryContact> &contacts);
    void recordRemovals(const QString &account, const QStringList &addresses,
                        const QDateTime &when);
    void markNotified(qint64 snapshotId);

    // Oldest first.
    QList<HistorySnapshot> snapshots(const QString &account);
    QList<HistoryRemoval> removals(const QString &account);

    // Both return whether anything changed.
    bool keep(const QString &account, const QString &address, const QDateTime &when);
    bool unkeep(const QString &account, const QString &address);
    // The same for many addresses in one transaction: those that changed, in the order given.
    QStringList keep(const QString &account, const QStringList &addresses, const QDateTime &when);
    QStringList unkeep(const QString &account, const QStringList &addresses);
    // In the order they were added.
    QStringList keptAddresses(const QString &account);

    // What forget deleted.
    struct Forgotten
    {
        qint64 scans = 0;
        qint64 removals = 0;
        qint64 kept = 0;
        bool isEmpty() const { return scans == 0 && removals == 0 && kept == 0; }
    };
    // Deletes the account's snapshots, removals and keep list, and overwrites them on disk.
    Forgotten forget(const QString &account);

private:
    class Transaction;

    QSqlQuery run(const QString &sql, const QVariantList &values = {});
    [[noreturn]] void fail(const QString &what, const QString &detail,
                           HistoryError::Cause cause = HistoryError::Cause::Other) const;
    [[noreturn]] void fail(const QString &what, const QSqlError &error) const;
    void createFile() const;
    void restrictToOwner() const;
    void closeConnection();
    void claimFile();
    void migrate();
    void migrateToVersion1();
    void migrateToVersion2();
    void migrateToVersion3();
    void mergeAccountVariants(const QString &variant, const QString &account);
    void foldIdenticalSnapshots(const QString &account);
    qint64 count(const QString &sql, const QString &account);
    QList<HistoryContact> contactsOf(qint64 snapshotId);
    void compactAll();

    QString m_path;
    QString m_connectionName;
    // Held apart so that the SQL module's headers stay out of every user of the store.
    std::unique_ptr<QSqlDatabase> m_db;
};
