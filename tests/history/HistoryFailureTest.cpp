#include "core/ContactAudit.h"
#include "core/HistoryJournal.h"
#include "core/MemoryResultView.h"
#include "platform/history/HistoryError.h"
#include "platform/history/HistoryStore.h"
#include "platform/messenger/MemoryMessengerClient.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

// A history that cannot be used never changes a scan: one warning per run. A keep list that
// cannot be read stops every removal, with the file, the fault and what to do.

namespace {

MessengerAccount account()
{
    MessengerAccount account;
    account.signInName = QStringLiteral("lucia@example.org");
    for (const char *address : {"ana@x", "bea@x", "ciro@x"})
        account.contactList.append(MessengerUser(QString::fromLatin1(address), "N"));
    account.reverseList.append(MessengerUser(QStringLiteral("bea@x"), "N"));
    return account;
}

struct AuditRun
{
    QStringList rows;
    QString caption;
    QStringList warnings;
    QList<RemovalFailure> failures;
    // Rows after the removal, and after a second scan.
    int rowsAfterRemoval = 0;
    int rowsAfterRescan = 0;
};

// Scans, removes both rows, scans again.
AuditRun auditWith(const QString &historyPath)
{
    AuditRun run;
    MemoryMessengerClient client(account());
    MemoryResultView view;
    ContactAudit audit(view);
    HistoryJournal journal(historyPath, "lucia@example.org", "demo",
                           [&](const QString &text) { run.warnings.append(text); });
    audit.setJournal(&journal);
    audit.BuscaIgn(client);
    for (const auto &row : view.rows())
        run.rows.append(row.key);
    run.caption = view.caption();
    view.setRowChecked(1, true);
    view.setRowChecked(2, true);
    run.failures = audit.RemoveChecked(client);
    run.rowsAfterRemoval = view.rowCount();
    view.clearRows();
    audit.BuscaIgn(client);
    run.rowsAfterRescan = view.rowCount();
    return run;
}

void expectScanUnchanged(const AuditRun &run, const QString &fault)
{
    EXPECT_EQ(run.rows, QStringList({"ana@x", "ciro@x"}));
    EXPECT_EQ(run.caption, "Tienes 2 Zorko en tu Lista");
    ASSERT_EQ(run.warnings.size(), 1);
    EXPECT_TRUE(run.warnings.first().contains(fault)) << run.warnings.first().toStdString();
}

// Nobody went: every ticked row is reported with the one reason, which names the file, the
// fault in Spanish and what to do.
void expectRemovalRefused(const AuditRun &run, const QString &fault, const QString &remedy)
{
    expectScanUnchanged(run, fault);
    EXPECT_EQ(run.rowsAfterRemoval, 2);
    EXPECT_EQ(run.rowsAfterRescan, 2);
    ASSERT_EQ(run.failures.size(), 2);
    for (const RemovalFailure &failure : run.failures) {
        EXPECT_TRUE(failure.unguarded);
        EXPECT_FALSE(failure.kept);
        EXPECT_EQ(failure.reason, run.failures.first().reason);
    }
    EXPECT_EQ(run.failures.at(0).emailAddress, "ana@x");
    EXPECT_EQ(run.failures.at(1).emailAddress, "ciro@x");
    const QString reason = run.failures.first().reason;
    EXPECT_TRUE(reason.startsWith("No se eliminó ningún contacto: ")) << reason.toStdString();
    EXPECT_TRUE(reason.contains(fault)) << reason.toStdString();
    EXPECT_TRUE(reason.contains(remedy)) << reason.toStdString();
    EXPECT_TRUE(reason.endsWith('.')) << reason.toStdString();
    // SQLite's own English stays out of what the user reads.
    for (const char *english : {"database", "locked", "disk", "file is", "unable"})
        EXPECT_FALSE(reason.contains(QLatin1String(english), Qt::CaseInsensitive))
            << reason.toStdString();
}

// Holds the history with another connection until destroyed.
class LockHolder
{
public:
    LockHolder(const QString &path, const QByteArray &statements)
    {
        m_process.start(QStringLiteral("sqlite3"), {path});
        EXPECT_TRUE(m_process.waitForStarted());
        m_process.write(statements + "SELECT 'held';\n");
        // Pragmas answer too: the lock is held once the last line is out.
        QByteArray answer;
        while (!answer.endsWith("held\n") && m_process.waitForReadyRead(5000))
            answer += m_process.readAllStandardOutput();
        EXPECT_TRUE(answer.endsWith("held\n")) << answer.constData();
    }
    ~LockHolder()
    {
        m_process.closeWriteChannel();
        EXPECT_TRUE(m_process.waitForFinished(5000));
    }
    LockHolder(const LockHolder &) = delete;
    LockHolder &operator=(const LockHolder &) = delete;

private:
    QProcess m_process;
};

} // namespace

TEST(HistoryFailureTest, AWorkingHistoryRecordsTheScansAndTheRemoval)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("h.sqlite");
    const AuditRun run = auditWith(path);
    EXPECT_TRUE(run.warnings.isEmpty());
    EXPECT_TRUE(run.failures.isEmpty());
    EXPECT_EQ(run.rowsAfterRemoval, 0);
    HistoryStore store(path);
    ASSERT_EQ(store.snapshots("lucia@example.org").size(), 2);
    ASSERT_EQ(store.removals("lucia@example.org").size(), 2);
    EXPECT_EQ(store.removals("lucia@example.org").first().address, "ana@x");
}

TEST(HistoryFailureTest, ADamagedFileOrABlockedFolderStopsEveryRemoval)
{
    QTemporaryDir dir;
    const QString corrupt = dir.filePath("corrupt.sqlite");
    QFile file(corrupt);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    expectRemovalRefused(auditWith(corrupt), "corrupt.sqlite", "aparta el archivo");
    expectRemovalRefused(auditWith(corrupt), "dañado", "Orvalin cree uno nuevo");

    // A regular file stands where the folder should be.
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    expectRemovalRefused(auditWith(dir.filePath("blocker/orvalin/history.sqlite")), "blocker",
                         "permite escribir");
}

TEST(HistoryFailureTest, AHistoryLockedByAnotherProgramStopsEveryRemovalButNotTheScan)
{
    QTemporaryDir dir;
    const QString locked = dir.filePath("held.sqlite");
    {
        HistoryStore create(locked);
        create.keep("lucia@example.org", "ciro@x", QDateTime::currentDateTimeUtc());
    }
    {
        // Exclusive locking mode shuts readers out as well: the keep list cannot be read.
        const LockHolder holder(locked, "PRAGMA locking_mode=EXCLUSIVE;\nBEGIN EXCLUSIVE;\n");
        expectRemovalRefused(auditWith(locked), "otro programa lo tiene bloqueado (SQLite 5",
                             "cierra el programa que lo tiene abierto");
    }
    {
        // An ordinary write lock leaves the list readable: the removal runs and keeps ciro.
        const LockHolder holder(locked, "BEGIN EXCLUSIVE;\n");
        const AuditRun run = auditWith(locked);
        expectScanUnchanged(run, "held.sqlite");
        ASSERT_EQ(run.failures.size(), 1);
        EXPECT_EQ(run.failures.first().emailAddress, "ciro@x");
        EXPECT_TRUE(run.failures.first().kept);
        EXPECT_EQ(run.rowsAfterRemoval, 1);
    }
}

TEST(HistoryFailureTest, AReadOnlyFolderStopsEveryRemoval)
{
    // Permission bits do not bind the superuser; a folder of the process file system, which
    // takes no new files from anyone, stands in for a read-only one then.
    if (geteuid() == 0) {
        expectRemovalRefused(auditWith(QStringLiteral("/proc/self/orvalin/history.sqlite")),
                             "/proc/self/orvalin", "permite escribir");
        return;
    }
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    expectRemovalRefused(auditWith(dir.filePath("history.sqlite")), "history.sqlite",
                         "permite escribir");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(HistoryFailureTest, TheHistoryNeverChangesAFileThroughALinkNorTheOwnersOwnRights)
{
    QTemporaryDir dir;
    const QString notes = dir.filePath("notes.txt");
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("mis notas\n");
    file.close();
    ASSERT_EQ(::chmod(QFile::encodeName(notes).constData(), 0644), 0);
    const QString linked = dir.filePath("linked.sqlite");
    ASSERT_TRUE(QFile::link(notes, linked));
    expectRemovalRefused(auditWith(linked), "enlace simbólico", "apártalo");
    struct stat st
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(notes).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "mis notas\n");
    file.close();

    // Group and others lose their rights; a file the owner made read-only stays read-only.
    const QString shared = dir.filePath("shared.sqlite");
    {
        HistoryStore create(shared);
    }
    const auto modeAfterOpening = [&](mode_t mode) {
        EXPECT_EQ(::chmod(QFile::encodeName(shared).constData(), mode), 0);
        try {
            HistoryStore reopened(shared);
        } catch (const HistoryError &) {
            // Without the right to write, the store may not open: the mode is what is tested.
        }
        struct stat after
        {
        };
        EXPECT_EQ(::stat(QFile::encodeName(shared).constData(), &after), 0);
        return after.st_mode & 07777;
    };
    EXPECT_EQ(modeAfterOpening(0664), 0600u);
    EXPECT_EQ(modeAfterOpening(0444), 0400u);
    EXPECT_EQ(modeAfterOpening(0400), 0400u);
}

TEST(HistoryFailureTest, AnotherProgramsDatabaseIsNeverAlteredAndStopsEveryRemoval)
{
    QTemporaryDir dir;
    const auto made = [&](const QString &name, const QByteArray &sql) {
        QString path = dir.filePath(name);
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"), {path, QString::fromLatin1(sql)});
        EXPECT_TRUE(sqlite.waitForFinished(5000));
        EXPECT_EQ(sqlite.exitCode(), 0) << sqlite.readAllStandardError().constData();
        return path;
    };
    const auto contents = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // Tables of its own; the history's own tables under another program's id.
    const QStringList foreign = {
        made("notes.sqlite", "CREATE TABLE notes (text TEXT); INSERT INTO notes VALUES ('x');"),
        made("other.sqlite", "PRAGMA application_id = 42; CREATE TABLE kept (account TEXT, "
                             "address TEXT, added_at INTEGER);")};
    for (const QString &path : foreign) {
        const QByteArray before = contents(path);
        expectRemovalRefused(auditWith(path), "no es un historial de Orvalin",
                             "aparta ese archivo");
        EXPECT_EQ(contents(path), before);
        EXPECT_FALSE(QFile::exists(path + "-wal"));
    }

    // An empty file, or one another program made empty, becomes a history and is marked.
    const QString empty = made("empty.sqlite", "PRAGMA user_version = 0;");
    EXPECT_TRUE(auditWith(empty).failures.isEmpty());
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {empty, QStringLiteral("PRAGMA application_id;")});
    ASSERT_TRUE(sqlite.waitForFinished(5000));
    EXPECT_EQ(sqlite.readAllStandardOutput().trimmed().toLongLong(), HistoryStore::ApplicationId);
}
