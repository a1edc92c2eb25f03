#include "platform/history/HistoryStore.h"
#include "platform/history/HistoryChanges.h"
#include "platform/history/HistoryPeriods.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

const QString Account = QStringLiteral("lucia@example.org");

QDateTime at(int day, int hour = 10)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, 0), QTimeZone::utc());
}

QList<HistoryContact> listed(const QStringList &addresses)
{
    QList<HistoryContact> contacts;
    for (const QString &address : addresses)
        contacts.append({address, address.section(QLatin1Char('@'), 0, 0).toUpper()});
    return contacts;
}

QStringList addressesOf(const QList<ContactChange> &changes)
{
    QStringList result;
    for (const ContactChange &change : changes)
        result.append(change.contact.address);
    return result;
}

} // namespace

TEST(HistoryStoreTest, KeepsEveryChangeAndFoldsRepeatedScansInAPrivateWalFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/history.sqlite"));
    {
        HistoryStore store(path);
        store.recordScan(Account, "file", at(1), listed({"ana@x", "bea@x"}));
        store.recordScan(Account, "file", at(2), listed({"ana@x", "bea@x"}));
        store.recordScan(Account, "file", at(3), listed({"bea@x"}));
        store.recordScan(QStringLiteral("otro@example.org"), "demo", at(3), listed({"ana@x"}));
        EXPECT_TRUE(store.keep(Account, "bea@x", at(3)));
        EXPECT_FALSE(store.keep(Account, "bea@x", at(4)));
        EXPECT_EQ(store.schemaVersion(), HistoryStore::SchemaVersion);
    }
    // Owner, group and others: only the owner reads and writes.
    constexpr int ModeBits = 0x7077;
    EXPECT_EQ(int(QFile::permissions(path)) & ModeBits, int(QFile::ReadOwner | QFile::WriteOwner));

    HistoryStore store(path);
    const QList<HistorySnapshot> snapshots = store.snapshots(Account);
    ASSERT_EQ(snapshots.size(), 2);
    EXPECT_EQ(snapshots.at(0).firstTaken, at(1));
    EXPECT_EQ(snapshots.at(0).lastTaken, at(2));
    EXPECT_EQ(snapshots.at(0).scans, 2);
    EXPECT_EQ(snapshots.at(0).contacts, listed({"ana@x", "bea@x"}));
    EXPECT_EQ(snapshots.at(1).contacts, listed({"bea@x"}));
    EXPECT_EQ(store.keptAddresses(Account), QStringList({"bea@x"}));
    EXPECT_TRUE(store.keptAddresses(QStringLiteral("otro@example.org")).isEmpty());

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "probe");
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    QSqlQuery mode(QStringLiteral("PRAGMA journal_mode"), db);
    ASSERT_TRUE(mode.next());
    EXPECT_EQ(mode.value(0).toString(), "wal");
    mode.finish();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("probe");

    store.forget(Account);
    EXPECT_TRUE(store.snapshots(Account).isEmpty());
    EXPECT_TRUE(store.keptAddresses(Account).isEmpty());
    EXPECT_EQ(store.snapshots(QStringLiteral("otro@example.org")).size(), 1);
}

TEST(HistoryStoreTest, ChangesAcrossThreeSnapshotsTellLeavingComingBackAndRemoved)
{
    QTemporaryDir dir;
    HistoryStore store(dir.filePath("h.sqlite"));
    store.recordScan(Account, "file", at(1), listed({"ana@x", "bea@x", "ciro@x"}));
    store.recordRemovals(Account, {"ciro@x"}, at(1, 11));
    store.recordScan(Account, "file", at(3), listed({"ana@x", "bea@x", "dani@x"}));
    store.recordScan(Account, "file", at(5), listed({"bea@x", "dani@x", "eva@x"}));

    // Against the one before: ana added the user back, eva is new.
    const HistoryChanges last =
        HistoryChanges::between(store.snapshots(Account), store.removals(Account));
    ASSERT_TRUE(last.hasBaseline);
    EXPECT_EQ(addressesOf(last.appeared), QStringList({"eva@x"}));
    EXPECT_EQ(addressesOf(last.addedBack), QStringList({"ana@x"}));
    EXPECT_TRUE(last.removed.isEmpty());
    EXPECT_EQ(last.baselineSeen, at(3));

    // Since the 2nd the baseline is the first snapshot: dani first seen on the 3rd, ciro removed.
    const HistoryChanges since =
        HistoryChanges::between(store.snapshots(Account), store.removals(Account), at(2, 0));
    EXPECT_EQ(addressesOf(since.appeared), QStringList({"dani@x", "eva@x"}));
    EXPECT_EQ(since.appeared.at(0).at, at(3));
    EXPECT_EQ(addressesOf(since.addedBack), QStringList({"ana@x"}));
    EXPECT_EQ(since.addedBack.at(0).at, at(5));
    EXPECT_EQ(addressesOf(since.removed), QStringList({"ciro@x"}));
    EXPECT_EQ(since.removed.at(0).at, at(1, 11));

    EXPECT_FALSE(HistoryChanges::between(store.snapshots(Account), {}, at(1, 0)).hasBaseline);
    EXPECT_EQ(HistoryChanges::summary(2, QDate(2026, 12, 3)),
              "2 nuevos Zorko desde el 3 de diciembre de 2026");
    EXPECT_EQ(HistoryChanges::summary(1, QDate(2026, 1, 31)),
              "1 nuevo Zorko desde el 31 de enero de 2026");
    EXPECT_EQ(HistoryChanges::summary(0, QDate(2026, 9, 1)),
              "Ningún Zorko nuevo desde el 1 de septiembre de 2026");

    // ana: one period ended by coming back; ciro: removed.
    const QList<HistoryPeriod> ana =
        HistoryPeriod::of("ana@x", store.snapshots(Account), store.removals(Account));
    ASSERT_EQ(ana.size(), 1);
    EXPECT_EQ(ana.at(0).end, HistoryPeriod::End::AddedBack);
    EXPECT_EQ(ana.at(0).lastSeen, at(3));
    const QList<HistoryPeriod> ciro =
        HistoryPeriod::of("ciro@x", store.snapshots(Account), store.removals(Account));
    ASSERT_EQ(ciro.size(), 1);
    EXPECT_EQ(ciro.at(0).end, HistoryPeriod::End::Removed);
    EXPECT_EQ(HistoryPeriod::of("bea@x", store.snapshots(Account), {}).at(0).end,
              HistoryPeriod::End::Ongoing);
}

TEST(HistoryStoreTest, AFirstVersionFileIsBroughtUpToDateWithItsData)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("v1.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "v1");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char *sql :
             {"CREATE TABLE snapshots (id INTEGER PRIMARY KEY, account TEXT NOT NULL, "
              "backend TEXT NOT NULL, taken_at INTEGER NOT NULL)",
              "CREATE INDEX snapshots_by_account ON snapshots (account, id)",
              "CREATE TABLE snapshot_contacts (snapshot_id INTEGER NOT NULL REFERENCES snapshots "
              "(id) ON DELETE CASCADE, position INTEGER NOT NULL, address TEXT NOT NULL, name "
              "TEXT NOT NULL, PRIMARY KEY (snapshot_id, address))",
              "CREATE TABLE removals (id INTEGER PRIMARY KEY, account TEXT NOT NULL, address "
              "TEXT NOT NULL, removed_at INTEGER NOT NULL)",
              "CREATE TABLE kept (account TEXT NOT NULL, address TEXT NOT NULL, added_at "
              "INTEGER NOT NULL, PRIMARY KEY (account, address))",
              "INSERT INTO snapshots VALUES (1, 'lucia@example.org', 'file', 1000)",
              "INSERT INTO snapshots VALUES (2, 'lucia@example.org', 'file', 2000)",
              "INSERT INTO snapshots VALUES (3, 'lucia@example.org', 'file', 3000)",
              "INSERT INTO snapshot_contacts VALUES (1, 0, 'ana@x', 'ANA')",
              "INSERT INTO snapshot_contacts VALUES (2, 0, 'ana@x', 'ANA')",
              "INSERT INTO removals VALUES (1, 'lucia@example.org', 'ana@x', 2500)",
              "INSERT INTO kept VALUES ('lucia@example.org', 'bea@x', 500)",
              "PRAGMA user_version = 1"})
            ASSERT_TRUE(q.exec(QString::fromLatin1(sql))) << sql;
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("v1");

    HistoryStore store(path);
    EXPECT_EQ(store.schemaVersion(), HistoryStore::SchemaVersion);
    const QList<HistorySnapshot> snapshots = store.snapshots(Account);
    ASSERT_EQ(snapshots.size(), 2);
    EXPECT_EQ(snapshots.at(0).firstTaken.toMSecsSinceEpoch(), 1000);
    EXPECT_EQ(snapshots.at(0).lastTaken.toMSecsSinceEpoch(), 2000);
    EXPECT_EQ(snapshots.at(0).scans, 2);
    EXPECT_TRUE(snapshots.at(1).contacts.isEmpty());
    EXPECT_EQ(store.removals(Account).size(), 1);
    EXPECT_EQ(store.keptAddresses(Account), QStringList({"bea@x"}));
    // The upgraded file takes new scans as any other.
    store.recordScan(Account, "file", QDateTime::fromMSecsSinceEpoch(4000, QTimeZone::utc()), {});
    EXPECT_EQ(store.snapshots(Account).size(), 2);
}

namespace {

// A history as the previous version wrote it: every account under the name it was given, so
// that one account typed two ways has two histories.
void writeSecondVersionFile(const QString &path, const QStringList &rows)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "v2");
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        // Each statement is one element, its text split over lines.
        QStringList sql = {
            // NOLINTNEXTLINE(bugprone-suspicious-missing-comma)
            "CREATE TABLE snapshots (id INTEGER PRIMARY KEY, account TEXT NOT NULL, backend TEXT "
            "NOT NULL, taken_at INTEGER NOT NULL, last_taken_at INTEGER, scans INTEGER NOT NULL "
            "DEFAULT 1, notified INTEGER NOT NULL DEFAULT 0)",
            "CREATE INDEX snapshots_by_account ON snapshots (account, id)",
            "CREATE TABLE snapshot_contacts (snapshot_id INTEGER NOT NULL REFERENCES snapshots "
            "(id) ON DELETE CASCADE, position INTEGER NOT NULL, address TEXT NOT NULL, name TEXT "
            "NOT NULL, PRIMARY KEY (snapshot_id, address))",
            "CREATE TABLE removals (id INTEGER PRIMARY KEY, account TEXT NOT NULL, address TEXT "
            "NOT NULL, removed_at INTEGER NOT NULL)",
            "CREATE INDEX removals_by_account ON removals (account, address)",
            "CREATE TABLE kept (account TEXT NOT NULL, address TEXT NOT NULL, added_at INTEGER "
            "NOT NULL, PRIMARY KEY (account, address))"};
        sql += rows;
        sql += QStringLiteral("PRAGMA application_id = %1").arg(HistoryStore::ApplicationId);
        sql += QStringLiteral("PRAGMA user_version = 2");
        for (const QString &statement : std::as_const(sql))
            ASSERT_TRUE(q.exec(statement)) << statement.toStdString();
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("v2");
}

} // namespace

TEST(HistoryStoreTest, AnAccountTypedTwoWaysBecomesOneOnUpgradeAndForgetSaysWhatWentWithIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("v2.sqlite");
    writeSecondVersionFile(
        path, {"INSERT INTO snapshots VALUES (1, 'Alice@localhost', 'xmpp', 1000, 1000, 1, 0)",
               "INSERT INTO snapshots VALUES (2, 'alice@localhost', 'xmpp', 2000, 3000, 2, 1)",
               "INSERT INTO snapshots VALUES (3, 'alice@localhost', 'xmpp', 4000, 4000, 1, 0)",
               "INSERT INTO snapshots VALUES (4, 'ALICE@LOCALHOST', 'xmpp', 5000, 5000, 1, 0)",
               "INSERT INTO snapshots VALUES (5, 'bruno@example.org', 'xmpp', 1500, 1500, 1, 0)",
               "INSERT INTO snapshot_contacts VALUES (1, 0, 'carol@localhost', 'Carol')",
               "INSERT INTO snapshot_contacts VALUES (2, 0, 'carol@localhost', 'Carol')",
               "INSERT INTO snapshot_contacts VALUES (4, 0, 'dave@localhost', 'Dave')",
               "INSERT INTO snapshot_contacts VALUES (5, 0, 'carol@localhost', 'Carol')",
               "INSERT INTO removals VALUES (1, 'Alice@localhost', 'bob@localhost', 2500)",
               "INSERT INTO removals VALUES (2, 'alice@localhost', 'bob@localhost', 2500)",
               "INSERT INTO removals VALUES (3, 'alice@localhost', 'eve@localhost', 4500)",
               "INSERT INTO kept VALUES ('Alice@localhost', 'carol@localhost', 700)",
               "INSERT INTO kept VALUES ('alice@localhost', 'carol@localhost', 900)",
               "INSERT INTO kept VALUES ('alice@localhost', 'dave@localhost', 800)",
               "INSERT INTO kept VALUES ('bruno@example.org', 'carol@localhost', 600)"});

    HistoryStore store(path);
    EXPECT_EQ(store.schemaVersion(), HistoryStore::SchemaVersion);
    // Whichever way it is written now, it is one account with everything both spellings had.
    for (const QString &typed :
         {QStringLiteral("alice@localhost"), QStringLiteral("Alice@Localhost/portátil")}) {
        const QList<HistorySnapshot> snapshots = store.snapshots(typed);
        ASSERT_EQ(snapshots.size(), 3) << typed.toStdString();
        EXPECT_EQ(snapshots.at(0).firstTaken.toMSecsSinceEpoch(), 1000);
        EXPECT_EQ(snapshots.at(0).lastTaken.toMSecsSinceEpoch(), 3000);
        EXPECT_EQ(snapshots.at(0).scans, 3);
        EXPECT_TRUE(snapshots.at(0).notified);
        EXPECT_TRUE(snapshots.at(1).contacts.isEmpty());
        EXPECT_EQ(snapshots.at(2).contacts, QList<HistoryContact>({{"dave@localhost", "Dave"}}));
        const QList<HistoryRemoval> removals = store.removals(typed);
        ASSERT_EQ(removals.size(), 2);
        EXPECT_EQ(removals.at(0).address, "bob@localhost");
        EXPECT_EQ(removals.at(1).address, "eve@localhost");
        EXPECT_EQ(store.keptAddresses(typed), QStringList({"carol@localhost", "dave@localhost"}));
    }
    // A new scan under the server's spelling extends the merged history.
    store.recordScan("alice@localhost", "xmpp", QDateTime::fromMSecsSinceEpoch(6000), {});
    EXPECT_EQ(store.snapshots("ALICE@localhost").size(), 4);
    EXPECT_TRUE(store.keep("Alice@localhost", "frank@localhost", at(8)));
    EXPECT_FALSE(store.keep("alice@LOCALHOST", "frank@localhost", at(9)));

    const HistoryStore::Forgotten forgotten = store.forget("Alice@localhost");
    EXPECT_EQ(forgotten.scans, 6);
    EXPECT_EQ(forgotten.removals, 2);
    EXPECT_EQ(forgotten.kept, 3);
    EXPECT_TRUE(store.snapshots("alice@localhost").isEmpty());
    EXPECT_TRUE(store.keptAddresses("alice@localhost").isEmpty());
    EXPECT_TRUE(store.forget("alice@localhost").isEmpty());
    // Another account is left as it was.
    EXPECT_EQ(store.snapshots("bruno@example.org").size(), 1);
    EXPECT_EQ(store.keptAddresses("bruno@example.org"), QStringList({"carol@localhost"}));

    QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "after");
    raw.setDatabaseName(path);
    ASSERT_TRUE(raw.open());
    {
        QSqlQuery names(raw);
        ASSERT_TRUE(names.exec("SELECT account FROM snapshots UNION SELECT account FROM kept "
                               "UNION SELECT account FROM removals"));
        QStringList accounts;
        while (names.next())
            accounts.append(names.value(0).toString());
        EXPECT_EQ(accounts, QStringList({"bruno@example.org"}));
    }
    raw.close();
    raw = QSqlDatabase();
    QSqlDatabase::removeDatabase("after");
}

TEST(HistoryStoreTest, ManyAddressesAreKeptAndReleasedInOneGoTellingWhichChanged)
{
    QTemporaryDir dir;
    HistoryStore store(dir.filePath("h.sqlite"));
    ASSERT_TRUE(store.keep(Account, "bea@x", at(1)));
    EXPECT_EQ(store.keep(Account, {"ana@x", "bea@x", "ciro@x"}, at(2)),
              QStringList({"ana@x", "ciro@x"}));
    EXPECT_EQ(store.keptAddresses(Account), QStringList({"bea@x", "ana@x", "ciro@x"}));
    EXPECT_EQ(store.unkeep(Account, {"ciro@x", "dani@x", "bea@x"}),
              QStringList({"ciro@x", "bea@x"}));
    EXPECT_EQ(store.keptAddresses(Account), QStringList({"ana@x"}));
}
