#include "platform/history/HistoryStore.h"

#include "platform/base/AccountName.h"
#include "platform/base/Product.h"
#include "platform/history/HistoryError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTimeZone>

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr auto OwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

qint64 toStored(const QDateTime &when)
{
    return when.toMSecsSinceEpoch();
}

QDateTime fromStored(const QVariant &value)
{
    return QDateTime::fromMSecsSinceEpoch(value.toLongLong(), QTimeZone::utc());
}

// The same contact listed twice would make two equal lists compare unequal once stored.
QList<HistoryContact> withoutRepeats(const QList<HistoryContact> &contacts)
{
    QList<HistoryContact> unique;
    QSet<QString> seen;
    for (const HistoryContact &contact : contacts) {
        if (!seen.contains(contact.address)) {
            seen.insert(contact.address);
            unique.append(contact);
        }
    }
    return unique;
}

// SQLite's own texts are English; the user reads what happened in our words, with SQLite's code
// for whoever looks further.
HistoryError::Cause causeOf(int code)
{
    // Writes that fail for want of room: a file or its shared index could not grow.
    switch (code) {
    case 778:  // SQLITE_IOERR_WRITE
    case 1034: // SQLITE_IOERR_FSYNC
    case 1546: // SQLITE_IOERR_TRUNCATE
    case 4874: // SQLITE_IOERR_SHMSIZE
        return HistoryError::Cause::Full;
    default:
        break;
    }
    // Extended codes carry the primary one in their low byte.
    switch (code & 0xff) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return HistoryError::Cause::Busy;
    case 13: // SQLITE_FULL
        return HistoryError::Cause::Full;
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return HistoryError::Cause::Damaged;
    case 3:  // SQLITE_PERM
    case 8:  // SQLITE_READONLY
    case 14: // SQLITE_CANTOPEN
        return HistoryError::Cause::ReadOnly;
    default:
        return HistoryError::Cause::Other;
    }
}

} // namespace

// BEGIN IMMEDIATE takes the write lock at once, so a busy database fails here rather than
// half-way through; anything not committed is rolled back when the guard goes.
class HistoryStore::Transaction
{
public:
    explicit Transaction(HistoryStore &store) : m_store(store)
    {
        m_store.run(QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~Transaction()
    {
        if (!m_committed)
            QSqlQuery(*m_store.m_db).exec(QStringLiteral("ROLLBACK"));
    }
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit()
    {
        m_store.run(QStringLiteral("COMMIT"));
        m_committed = true;
    }

private:
    HistoryStore &m_store;
    bool m_committed = false;
};

HistoryStore::HistoryStore(const QString &path)
    : m_path(path),
      m_connectionName(QStringLiteral("orvalin-history-%1").arg(quintptr(this), 0, 16))
{
    createFile();
    m_db = std::make_unique<QSqlDatabase>(
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName));
    m_db->setDatabaseName(m_path);
    // Another program holding the file waits this long at most: a scan is never held up by it.
    m_db->setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=500"));
    try {
        if (!m_db->open())
            fail(QStringLiteral("abrir"), m_db->lastError());
        // Deleted rows are overwritten, so that a forgotten history leaves nothing behind.
        run(QStringLiteral("PRAGMA secure_delete = ON"));
        run(QStringLiteral("PRAGMA foreign_keys = ON"));
        claimFile();
        migrate();
        run(QStringLiteral("PRAGMA journal_mode = WAL"));
    } catch (...) {
        // No destructor runs for a store that never finished opening.
        closeConnection();
        throw;
    }
}

HistoryStore::~HistoryStore()
{
    closeConnection();
}

void HistoryStore::closeConnection()
{
    m_db->close();
    m_db.reset();
    QSqlDatabase::removeDatabase(m_connectionName);
}

QString HistoryStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/orvalin/history.sqlite");
}

void HistoryStore::fail(const QString &what, const QString &detail, HistoryError::Cause cause) const
{
    throw HistoryError(QStringLiteral("No se pudo %1 el historial «%2»: %3")
                           .arg(what, QDir::toNativeSeparators(m_path), detail),
                       cause);
}

void HistoryStore::fail(const QString &what, const QSqlError &error) const
{
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known);
    const HistoryError::Cause cause = known ? causeOf(code) : HistoryError::Cause::Other;
    const QString detail =
        known ? QStringLiteral("%1 (SQLite %2)").arg(HistoryError::causeText(cause)).arg(code)
              : HistoryError::causeText(cause);
    fail(what, detail, cause);
}

void HistoryStore::createFile() const
{
    const QFileInfo info(m_path);
    // The folder holds nothing but this user's history.
    if (!info.dir().exists()) {
        if (!QDir().mkpath(info.absolutePath()))
            fail(QStringLiteral("crear"),
                 QStringLiteral("no se puede crear la carpeta %1")
                     .arg(QDir::toNativeSeparators(info.absolutePath())),
                 HistoryError::Cause::ReadOnly);
        QFile::setPermissions(info.absolutePath(), OwnerOnly | QFile::ExeOwner);
    }
    // A link may lead anywhere: neither its target's rights nor its contents are Orvalin's.
    if (info.isSymLink())
        fail(QStringLiteral("abrir"),
             QStringLiteral("es un enlace simbólico, y %1 no toca el archivo al que apunta")
                 .arg(Product::name()));
    if (!info.exists()) {
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly))
            fail(QStringLiteral("crear"),
                 QStringLiteral("no se permite crear archivos en su carpeta"),
                 HistoryError::Cause::ReadOnly);
    } else if (info.isDir()) {
        fail(QStringLiteral("abrir"), QStringLiteral("es una carpeta"));
    }
    restrictToOwner();
}

// A file made by hand or copied in keeps no wider rights than its owner's; the owner's own
// (a file made read-only on purpose) stay as they are. The file opened is the one changed, so
// a link put there meanwhile changes nothing.
void HistoryStore::restrictToOwner() const
{
    const int fd = ::open(QFile::encodeName(m_path).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return; // Opening the database says what is wrong with it.
    struct stat st
    {
    };
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077) != 0)
        ::fchmod(fd, st.st_mode & 0700);
    ::close(fd);
}

QSqlQuery HistoryStore::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(*m_db);
    if (!query.prepare(sql))
        fail(QStringLiteral("usar"), query.lastError());
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        fail(QStringLiteral("usar"), query.lastError());
    return query;
}

// Another program's database at this path is never changed: not its tables, not its journal
// mode. A file is Orvalin's when it bears Orvalin's application id, or, made before the id was
// written, when it is empty or holds nothing but the history's own tables.
void HistoryStore::claimFile()
{
    QSqlQuery id = run(QStringLiteral("PRAGMA application_id"));
    const qint64 found = id.next() ? id.value(0).toLongLong() : 0;
    if (found == ApplicationId)
        return;
    static const QSet<QString> own = {QStringLiteral("snapshots"),
                                      QStringLiteral("snapshot_contacts"),
                                      QStringLiteral("removals"), QStringLiteral("kept")};
    QSqlQuery tables = run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                          "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"));
    bool foreign = found != 0;
    bool any = false;
    while (tables.next()) {
        any = true;
        foreign = foreign || !own.contains(tables.value(0).toString());
    }
    foreign = foreign || (any && schemaVersion() == 0);
    if (foreign)
        fail(QStringLiteral("usar"),
             QStringLiteral("no es un historial de %1 sino la base de datos de otro "
                            "programa, y %1 no la cambia")
                 .arg(Product::name()),
             HistoryError::Cause::Foreign);
    run(QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId));
}

int HistoryStore::schemaVersion()
{
    QSqlQuery query = run(QStringLiteral("PRAGMA user_version"));
    return query.next() ? query.value(0).toInt() : 0;
}

void HistoryStore::migrate()
{
    const int found = schemaVersion();
    if (found > SchemaVersion)
        fail(QStringLiteral("usar"),
             QStringLiteral("lo escribió una versión más nueva de %1 (esquema %2; esta "
                            "entiende hasta el %3)")
                 .arg(Product::name())
                 .arg(found)
                 .arg(SchemaVersion));
    // Each step runs in its own transaction and records its version, so an interrupted upgrade
    // resumes where it stopped.
    for (int version = found + 1; version <= SchemaVersion; ++version) {
        Transaction transaction(*this);
        if (version == 1)
            migrateToVersion1();
        else if (version == 2)
            migrateToVersion2();
        else if (version == 3)
            migrateToVersion3();
        run(QStringLiteral("PRAGMA user_version = %1").arg(version));
        transaction.commit();
    }
}

void HistoryStore::migrateToVersion1()
{
    run(QStringLiteral("CREATE TABLE snapshots (id INTEGER PRIMARY KEY, account TEXT NOT NULL, "
                       "backend TEXT NOT NULL, taken_at INTEGER NOT NULL)"));
    run(QStringLiteral("CREATE INDEX snapshots_by_account ON snapshots (account, id)"));
    run(QStringLiteral("CREATE TABLE snapshot_contacts (snapshot_id INTEGER NOT NULL "
                       "REFERENCES snapshots (id) ON DELETE CASCADE, position INTEGER NOT NULL, "
                       "address TEXT NOT NULL, name TEXT NOT NULL, "
                       "PRIMARY KEY (snapshot_id, address))"));
    run(QStringLiteral("CREATE TABLE removals (id INTEGER PRIMARY KEY, account TEXT NOT NULL, "
                       "address TEXT NOT NULL, removed_at INTEGER NOT NULL)"));
    run(QStringLiteral("CREATE INDEX removals_by_account ON removals (account, address)"));
    run(QStringLiteral("CREATE TABLE kept (account TEXT NOT NULL, address TEXT NOT NULL, "
                       "added_at INTEGER NOT NULL, PRIMARY KEY (account, address))"));
}

// Version 2 folds runs of identical scans into one snapshot with its first and last time, and
// remembers which snapshot the desktop notice has already told about.
void HistoryStore::migrateToVersion2()
{
    run(QStringLiteral("ALTER TABLE snapshots ADD COLUMN last_taken_at INTEGER"));
    run(QStringLiteral("UPDATE snapshots SET last_taken_at = taken_at"));
    run(QStringLiteral("ALTER TABLE snapshots ADD COLUMN scans INTEGER NOT NULL DEFAULT 1"));
    run(QStringLiteral("ALTER TABLE snapshots ADD COLUMN notified INTEGER NOT NULL DEFAULT 0"));
    compactAll();
}

void HistoryStore::compactAll()
{
    struct Kept
    {
        qint64 id;
        QString backend;
        QList<HistoryContact> contacts;
    };
    QHash<QString, Kept> latest;
    QSqlQuery query = run(QStringLiteral(
        "SELECT id, account, backend, taken_at FROM snapshots ORDER BY account, id"));
    QList<QVariantList> merges;
    while (query.next()) {
        const qint64 id = query.value(0).toLongLong();
        const QString account = query.value(1).toString();
        const QString backend = query.value(2).toString();
        QList<HistoryContact> contacts = contactsOf(id);
        const auto previous = latest.constFind(account);
        if (previous != latest.cend() && previous->backend == backend &&
            previous->contacts == contacts) {
            merges.append({previous->id, id, query.value(3)});
            continue;
        }
        latest.insert(account, {id, backend, std::move(contacts)});
    }
    for (const QVariantList &merge : merges) {
        run(QStringLiteral("UPDATE snapshots SET last_taken_at = ?, scans = scans + 1 "
                           "WHERE id = ?"),
            {merge.at(2), merge.at(0)});
        run(QStringLiteral("DELETE FROM snapshot_contacts WHERE snapshot_id = ?"), {merge.at(1)});
        run(QStringLiteral("DELETE FROM snapshots WHERE id = ?"), {merge.at(1)});
    }
}

// Version 3 files every account under its canonical name: the variants one account was typed
// as ("Alice@Example.org", "alice@example.org/casa") become one account holding all their scans,
// removals and kept contacts, each once.
void HistoryStore::migrateToVersion3()
{
    QSet<QString> merged;
    QSqlQuery names = run(QStringLiteral("SELECT account FROM snapshots UNION SELECT account "
                                         "FROM removals UNION SELECT account FROM kept"));
    QStringList variants;
    while (names.next())
        variants.append(names.value(0).toString());
    for (const QString &variant : std::as_const(variants)) {
        const QString account = AccountName::canonical(variant);
        if (account == variant)
            continue;
        mergeAccountVariants(variant, account);
        merged.insert(account);
    }
    for (const QString &account : std::as_const(merged))
        foldIdenticalSnapshots(account);
}

void HistoryStore::mergeAccountVariants(const QString &variant, const QString &account)
{
    run(QStringLiteral("UPDATE snapshots SET account = ? WHERE account = ?"), {account, variant});
    run(QStringLiteral("UPDATE removals SET account = ? WHERE account = ?"), {account, variant});
    // The same removal recorded under two spellings is one removal.
    run(QStringLiteral("DELETE FROM removals WHERE account = ? AND id NOT IN (SELECT MIN(id) "
                       "FROM removals WHERE account = ? GROUP BY address, removed_at)"),
        {account, account});
    // A contact kept under both spellings stays kept since the first time.
    run(QStringLiteral("INSERT INTO kept (account, address, added_at) SELECT ?, address, "
                       "added_at FROM kept WHERE account = ? ON CONFLICT (account, address) DO "
                       "UPDATE SET added_at = MIN(added_at, excluded.added_at)"),
        {account, variant});
    run(QStringLiteral("DELETE FROM kept WHERE account = ?"), {variant});
}

// Snapshots of the merged spellings that follow each other with the very same list are one
// snapshot, as if the scans had been recorded under one name from the start.
void HistoryStore::foldIdenticalSnapshots(const QString &account)
{
    struct Previous
    {
        qint64 id = 0;
        QString backend;
        QList<HistoryContact> contacts;
    };
    std::optional<Previous> previous;
    QList<QVariantList> merges;
    QSqlQuery query = run(QStringLiteral("SELECT id, backend, last_taken_at, scans, notified "
                                         "FROM snapshots WHERE account = ? ORDER BY taken_at, id"),
                          {account});
    while (query.next()) {
        const qint64 id = query.value(0).toLongLong();
        QList<HistoryContact> contacts = contactsOf(id);
        if (previous && previous->backend == query.value(1).toString() &&
            previous->contacts == contacts) {
            merges.append({previous->id, id, query.value(2), query.value(3), query.value(4)});
            continue;
        }
        previous = Previous{id, query.value(1).toString(), std::move(contacts)};
    }
    for (const QVariantList &merge : std::as_const(merges)) {
        run(QStringLiteral("UPDATE snapshots SET last_taken_at = MAX(last_taken_at, ?), "
                           "scans = scans + ?, notified = MAX(notified, ?) WHERE id = ?"),
            {merge.at(2), merge.at(3), merge.at(4), merge.at(0)});
        run(QStringLiteral("DELETE FROM snapshot_contacts WHERE snapshot_id = ?"), {merge.at(1)});
        run(QStringLiteral("DELETE FROM snapshots WHERE id = ?"), {merge.at(1)});
    }
}

QList<HistoryContact> HistoryStore::contactsOf(qint64 snapshotId)
{
    QSqlQuery query = run(QStringLiteral("SELECT address, name FROM snapshot_contacts "
                                         "WHERE snapshot_id = ? ORDER BY position"),
                          {snapshotId});
    QList<HistoryContact> contacts;
    while (query.next())
        contacts.append({query.value(0).toString(), query.value(1).toString()});
    return contacts;
}

void HistoryStore::recordScan(const QString &typedAccount, const QString &backend,
                              const QDateTime &when, const QList<HistoryContact> &found)
{
    const QString account = AccountName::canonical(typedAccount);
    const QList<HistoryContact> contacts = withoutRepeats(found);
    Transaction transaction(*this);
    // The same lists taken at the same moment (a download opened again) are the same snapshot.
    QSqlQuery same = run(QStringLiteral("SELECT id FROM snapshots WHERE account = ? AND "
                                        "backend = ? AND taken_at = ?"),
                         {account, backend, toStored(when)});
    while (same.next()) {
        if (contactsOf(same.value(0).toLongLong()) == contacts) {
            run(QStringLiteral("UPDATE snapshots SET scans = scans + 1 WHERE id = ?"),
                {same.value(0)});
            transaction.commit();
            return;
        }
    }
    // Snapshots follow the time their lists were taken: an older download opened later takes
    // its place among them and does not extend the newest.
    QSqlQuery latest = run(QStringLiteral("SELECT id, backend, last_taken_at FROM snapshots "
                                          "WHERE account = ? ORDER BY taken_at DESC, id DESC "
                                          "LIMIT 1"),
                           {account});
    if (latest.next() && latest.value(1).toString() == backend &&
        latest.value(2).toLongLong() <= toStored(when) &&
        contactsOf(latest.value(0).toLongLong()) == contacts) {
        run(QStringLiteral("UPDATE snapshots SET last_taken_at = ?, scans = scans + 1 "
                           "WHERE id = ?"),
            {toStored(when), latest.value(0)});
        transaction.commit();
        return;
    }
    const QSqlQuery inserted =
        run(QStringLiteral("INSERT INTO snapshots (account, backend, taken_at, last_taken_at) "
                           "VALUES (?, ?, ?, ?)"),
            {account, backend, toStored(when), toStored(when)});
    const QVariant id = inserted.lastInsertId();
    for (qsizetype i = 0; i < contacts.size(); ++i)
        run(QStringLiteral("INSERT INTO snapshot_contacts (snapshot_id, position, address, name) "
                           "VALUES (?, ?, ?, ?)"),
            {id, qint64(i), contacts.at(i).address, contacts.at(i).name});
    transaction.commit();
}

void HistoryStore::recordRemovals(const QString &typedAccount, const QStringList &addresses,
                                  const QDateTime &when)
{
    const QString account = AccountName::canonical(typedAccount);
    // One transaction for a whole group: a large removal stays one write.
    Transaction transaction(*this);
    for (const QString &address : addresses)
        run(QStringLiteral("INSERT INTO removals (account, address, removed_at) VALUES (?, ?, ?)"),
            {account, address, toStored(when)});
    transaction.commit();
}

void HistoryStore::markNotified(qint64 snapshotId)
{
    run(QStringLiteral("UPDATE snapshots SET notified = 1 WHERE id = ?"), {snapshotId});
}

QList<HistorySnapshot> HistoryStore::snapshots(const QString &typedAccount)
{
    const QString account = AccountName::canonical(typedAccount);
    QList<HistorySnapshot> result;
    QHash<qint64, qsizetype> index;
    QSqlQuery query = run(QStringLiteral("SELECT id, backend, taken_at, last_taken_at, scans, "
                                         "notified FROM snapshots WHERE account = ? "
                                         "ORDER BY taken_at, id"),
                          {account});
    while (query.next()) {
        HistorySnapshot snapshot;
        snapshot.id = query.value(0).toLongLong();
        snapshot.backend = query.value(1).toString();
        snapshot.firstTaken = fromStored(query.value(2));
        snapshot.lastTaken = fromStored(query.value(3));
        snapshot.scans = query.value(4).toInt();
        snapshot.notified = query.value(5).toBool();
        index.insert(snapshot.id, result.size());
        result.append(snapshot);
    }
    QSqlQuery contacts =
        run(QStringLiteral("SELECT c.snapshot_id, c.address, c.name FROM snapshot_contacts c "
                           "JOIN snapshots s ON s.id = c.snapshot_id WHERE s.account = ? "
                           "ORDER BY c.snapshot_id, c.position"),
            {account});
    while (contacts.next()) {
        const auto at = index.constFind(contacts.value(0).toLongLong());
        if (at != index.cend())
            result[*at].contacts.append(
                {contacts.value(1).toString(), contacts.value(2).toString()});
    }
    return result;
}

QList<HistoryRemoval> HistoryStore::removals(const QString &typedAccount)
{
    const QString account = AccountName::canonical(typedAccount);
    QSqlQuery query = run(QStringLiteral("SELECT address, removed_at FROM removals "
                                         "WHERE account = ? ORDER BY id"),
                          {account});
    QList<HistoryRemoval> result;
    while (query.next())
        result.append({query.value(0).toString(), fromStored(query.value(1))});
    return result;
}

bool HistoryStore::keep(const QString &account, const QString &address, const QDateTime &when)
{
    return !keep(account, QStringList{address}, when).isEmpty();
}

bool HistoryStore::unkeep(const QString &account, const QString &address)
{
    return !unkeep(account, QStringList{address}).isEmpty();
}

QStringList HistoryStore::keep(const QString &typedAccount, const QStringList &addresses,
                               const QDateTime &when)
{
    const QString account = AccountName::canonical(typedAccount);
    QStringList added;
    // One write for the whole command: thousands of addresses take one commit, not thousands.
    Transaction transaction(*this);
    for (const QString &address : addresses) {
        const QSqlQuery query = run(QStringLiteral("INSERT OR IGNORE INTO kept (account, "
                                                   "address, added_at) VALUES (?, ?, ?)"),
                                    {account, address, toStored(when)});
        if (query.numRowsAffected() > 0)
            added.append(address);
    }
    transaction.commit();
    return added;
}

QStringList HistoryStore::unkeep(const QString &typedAccount, const QStringList &addresses)
{
    const QString account = AccountName::canonical(typedAccount);
    QStringList removed;
    Transaction transaction(*this);
    for (const QString &address : addresses) {
        const QSqlQuery query =
            run(QStringLiteral("DELETE FROM kept WHERE account = ? AND address = ?"),
                {account, address});
        if (query.numRowsAffected() > 0)
            removed.append(address);
    }
    transaction.commit();
    return removed;
}

QStringList HistoryStore::keptAddresses(const QString &typedAccount)
{
    const QString account = AccountName::canonical(typedAccount);
    QSqlQuery query = run(QStringLiteral("SELECT address FROM kept WHERE account = ? "
                                         "ORDER BY added_at, rowid"),
                          {account});
    QStringList result;
    while (query.next())
        result.append(query.value(0).toString());
    return result;
}

qint64 HistoryStore::count(const QString &sql, const QString &account)
{
    QSqlQuery query = run(sql, {account});
    return query.next() ? query.value(0).toLongLong() : 0;
}

HistoryStore::Forgotten HistoryStore::forget(const QString &typedAccount)
{
    const QString account = AccountName::canonical(typedAccount);
    Forgotten forgotten;
    Transaction transaction(*this);
    forgotten.scans = count(
        QStringLiteral("SELECT COALESCE(SUM(scans), 0) FROM snapshots WHERE account = ?"), account);
    forgotten.removals =
        count(QStringLiteral("SELECT COUNT(*) FROM removals WHERE account = ?"), account);
    forgotten.kept = count(QStringLiteral("SELECT COUNT(*) FROM kept WHERE account = ?"), account);
    run(QStringLiteral("DELETE FROM snapshot_contacts WHERE snapshot_id IN "
                       "(SELECT id FROM snapshots WHERE account = ?)"),
        {account});
    run(QStringLiteral("DELETE FROM snapshots WHERE account = ?"), {account});
    run(QStringLiteral("DELETE FROM removals WHERE account = ?"), {account});
    run(QStringLiteral("DELETE FROM kept WHERE account = ?"), {account});
    transaction.commit();
    // The write-ahead log still holds the old pages until it is folded back and emptied.
    run(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    return forgotten;
}
