#include "core/ContactAudit.h"
#include "core/HistoryJournal.h"
#include "core/MemoryResultView.h"
#include "platform/history/HistoryStore.h"
#include "platform/messenger/MemoryMessengerClient.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

// A history that cannot be used never changes a scan or stops a removal: one warning per run.

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
};

// Scans, removes the first row, scans again.
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
    EXPECT_TRUE(audit.RemoveChecked(client).isEmpty());
    EXPECT_EQ(view.caption(), "Aun tienes 1 En tu Lista");
    view.clearRows();
    audit.BuscaIgn(client);
    EXPECT_EQ(view.rowCount(), 1);
    return run;
}

void expectScanUnchanged(const AuditRun &run, const QString &fault)
{
    EXPECT_EQ(run.rows, QStringList({"ana@x", "ciro@x"}));
    EXPECT_EQ(run.caption, "Tienes 2 Zorko en tu Lista");
    ASSERT_EQ(run.warnings.size(), 1);
    EXPECT_TRUE(run.warnings.first().contains(fault)) << run.warnings.first().toStdString();
}

} // namespace

TEST(HistoryFailureTest, AWorkingHistoryRecordsTheScansAndTheRemoval)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("h.sqlite");
    const AuditRun run = auditWith(path);
    EXPECT_TRUE(run.warnings.isEmpty());
    HistoryStore store(path);
    ASSERT_EQ(store.snapshots("lucia@example.org").size(), 2);
    ASSERT_EQ(store.removals("lucia@example.org").size(), 1);
    EXPECT_EQ(store.removals("lucia@example.org").first().address, "ana@x");
}

TEST(HistoryFailureTest, CorruptFileBlockedFolderAndLockedFileNeverBlockTheAudit)
{
    QTemporaryDir dir;
    const QString corrupt = dir.filePath("corrupt.sqlite");
    QFile file(corrupt);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    expectScanUnchanged(auditWith(corrupt), "corrupt.sqlite");

    // A regular file stands where the folder should be.
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    expectScanUnchanged(auditWith(dir.filePath("blocker/orvalin/history.sqlite")), "blocker");

    // Another program holds the write lock for as long as the audit runs.
    const QString locked = dir.filePath("locked.sqlite");
    {
        HistoryStore create(locked);
    }
    QProcess holder;
    holder.start(QStringLiteral("sqlite3"), {locked});
    ASSERT_TRUE(holder.waitForStarted());
    holder.write("BEGIN EXCLUSIVE;\nSELECT 'held';\n");
    ASSERT_TRUE(holder.waitForReadyRead(5000));
    EXPECT_EQ(holder.readAllStandardOutput().trimmed(), "held");
    expectScanUnchanged(auditWith(locked), "locked");
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(5000));
}

TEST(HistoryFailureTest, AReadOnlyFolderNeverBlocksTheAudit)
{
    // Permission bits do not bind the superuser; a folder of the process file system, which
    // takes no new files from anyone, stands in for a read-only one then.
    if (geteuid() == 0) {
        expectScanUnchanged(auditWith(QStringLiteral("/proc/self/orvalin/history.sqlite")),
                            "/proc/self/orvalin");
        return;
    }
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    expectScanUnchanged(auditWith(dir.filePath("history.sqlite")), "history.sqlite");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
