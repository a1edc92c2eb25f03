// The account file's guarantees as users meet them: orvalin-audit processes racing, killed, run
// as another user, and writing to outputs that fail.
#include "platform/messenger/AccountFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char TestUser[] = "orvalin-test-user";
const char TestGroup[] = "orvalin-test-shared";

struct Finished
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

QString address(int i)
{
    return QStringLiteral("user%1@example.org").arg(i, 6, 10, QLatin1Char('0'));
}

QStringList addresses(int from, int to)
{
    QStringList list;
    for (int i = from; i < to; ++i)
        list.append(address(i));
    return list;
}

QStringList contactsIn(const QString &path)
{
    QStringList list;
    const AccountFile file(path);
    for (const MessengerUser &user : file.account().contactList)
        list.append(user.member(u"EmailAddress"));
    return list;
}

class AccountFileProcessTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path() const { return m_dir.filePath(QStringLiteral("acc.json")); }

    void writeAccount(int contacts, const QString &target = {})
    {
        QByteArray data = "{\"signInState\": 2, \"signInName\": \"yo@example.org\", "
                          "\"displayName\": \"Yo\",\n \"contactList\": [\n";
        for (int i = 0; i < contacts; ++i)
            data += QStringLiteral("  {\"EmailAddress\": \"%1\"}%2\n")
                        .arg(address(i), i + 1 < contacts ? "," : "")
                        .toUtf8();
        data += " ],\n \"reverseList\": []}\n";
        QFile file(target.isEmpty() ? path() : target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(data);
    }

    QProcess *start(const QStringList &arguments, const QStringList &prefix = {}) const
    {
        auto *process = new QProcess;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ORVALIN_ACCOUNT"), path());
        process->setProcessEnvironment(environment);
        const QStringList command = prefix + QStringList{m_program};
        process->start(command.first(), command.mid(1) + arguments);
        EXPECT_TRUE(process->waitForStarted());
        return process;
    }

    static Finished finish(QProcess *process)
    {
        EXPECT_TRUE(process->waitForFinished(120000));
        Finished finished{process->exitCode(), process->readAllStandardOutput(),
                          process->readAllStandardError()};
        delete process;
        return finished;
    }

    // Runs the tool through the shell, so that its standard output can be redirected.
    Finished shell(const QString &redirectedCommand) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ORVALIN_ACCOUNT"), path());
        environment.insert(QStringLiteral("AUDIT"), QStringLiteral(ORVALIN_AUDIT_PATH));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("/bin/sh"), {"-c", redirectedCommand});
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    QString m_program = QStringLiteral(ORVALIN_AUDIT_PATH);
    QTemporaryDir m_dir;
};

QSet<QString> reportedRemoved(const QByteArray &out)
{
    QSet<QString> removed;
    for (const QByteArray &line : out.split('\n'))
        if (line.startsWith("Eliminado: "))
            removed.insert(QString::fromUtf8(line.mid(11)));
    return removed;
}

} // namespace

TEST_F(AccountFileProcessTest, ConcurrentRemoversNeverLoseAReportedRemoval)
{
    for (int round = 0; round < 8; ++round) {
        writeAccount(600);
        // Overlapping requests: each contact asked by one process, a third by both.
        QProcess *first = start(QStringList{"remove"} + addresses(0, 400));
        QProcess *second = start(QStringList{"remove"} + addresses(200, 600));
        const Finished a = finish(first);
        const Finished b = finish(second);
        const QSet<QString> removed = reportedRemoved(a.out) + reportedRemoved(b.out);
        const QStringList left = contactsIn(path());
        for (const QString &gone : removed)
            ASSERT_FALSE(left.contains(gone)) << "round " << round << ": " << gone.toStdString();
        // Nobody is reported removed twice, and everybody asked for went.
        EXPECT_EQ(reportedRemoved(a.out).intersect(reportedRemoved(b.out)), QSet<QString>());
        EXPECT_EQ(left, QStringList()) << a.err.toStdString() << b.err.toStdString();
        // Whoever came second says why it did not remove the other's share.
        if (a.status != 0 || b.status != 0) {
            EXPECT_TRUE((a.out + b.out).contains("ya no est") ||
                        (a.out + b.out).contains("No listado"));
        }
    }
    EXPECT_FALSE(QFile::exists(path() + ".lock"));
}

TEST_F(AccountFileProcessTest, AKillAtAnyMomentLeavesTheOldFileMinusAPrefix)
{
    const int contacts = 4000;
    const QStringList all = addresses(0, contacts);
    for (int round = 0; round < 8; ++round) {
        writeAccount(contacts);
        QProcess *process = start(QStringList{"remove"} + all);
        QThread::msleep(QRandomGenerator::global()->bounded(20, 400));
        process->kill();
        finish(process);
        // A lock left by the killed process must not stop the next one.
        const QStringList left = contactsIn(path());
        ASSERT_EQ(left, all.mid(contacts - left.size())) << "round " << round;
    }
    writeAccount(3);
    EXPECT_EQ(finish(start({"remove", address(1)})).status, 0);
}

TEST_F(AccountFileProcessTest, OwnerGroupAndModeAreKept)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to hand files to another user";
    const passwd *user = getpwnam(TestUser);
    const group *shared = getgrnam(TestGroup);
    if (!user || !shared)
        GTEST_SKIP() << "the test user was not created (tests/audit/test-user.sh)";
    // The user keeps a history of their own: one they cannot read would stop every removal.
    const QStringList asUser = {"setpriv",
                                "--reuid=" + QString(TestUser),
                                "--regid=" + QString(TestUser),
                                "--init-groups",
                                "env",
                                "XDG_DATA_HOME=" + m_dir.filePath("userdata")};
    const auto stat = [&] {
        struct stat st
        {
        };
        EXPECT_EQ(::stat(QFile::encodeName(path()).constData(), &st), 0);
        return st;
    };
    // A build inside a folder closed to others, such as root's own home, is run from a copy
    // anyone may reach; the tool links no library of the build's own.
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    ASSERT_EQ(chmod(QFile::encodeName(bin.path()).constData(), 0755), 0);
    m_program = bin.filePath(QStringLiteral("orvalin-audit"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ORVALIN_AUDIT_PATH), m_program));
    ASSERT_EQ(chown(QFile::encodeName(m_dir.path()).constData(), user->pw_uid, user->pw_gid), 0);
    ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);

    // Root removing from the user's private file leaves it the user's.
    writeAccount(3);
    ASSERT_EQ(chown(QFile::encodeName(path()).constData(), user->pw_uid, user->pw_gid), 0);
    ASSERT_EQ(chmod(QFile::encodeName(path()).constData(), 0600), 0);
    EXPECT_EQ(finish(start({"remove", address(0)})).status, 0);
    EXPECT_EQ(stat().st_uid, user->pw_uid);
    EXPECT_EQ(stat().st_gid, user->pw_gid);
    EXPECT_EQ(stat().st_mode & 07777, 0600u);

    // The user removing from a group-shared file keeps the group, not their own.
    ASSERT_EQ(chown(QFile::encodeName(path()).constData(), user->pw_uid, shared->gr_gid), 0);
    ASSERT_EQ(chmod(QFile::encodeName(path()).constData(), 0660), 0);
    const Finished shared660 = finish(start({"remove", address(1)}, asUser));
    EXPECT_EQ(shared660.status, 0) << shared660.err.toStdString();
    EXPECT_EQ(stat().st_uid, user->pw_uid);
    EXPECT_EQ(stat().st_gid, shared->gr_gid);
    EXPECT_EQ(stat().st_mode & 07777, 0660u);

    // A file the user may write but not own: the new one could not be root's, so the old
    // one stays untouched and the reason is given.
    ASSERT_EQ(chown(QFile::encodeName(path()).constData(), 0, shared->gr_gid), 0);
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    const Finished refused = finish(start({"remove", address(2)}, asUser));
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.contains("sin cambiar el due")) << refused.out.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_EQ(stat().st_uid, 0u);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"acc.json"}));
}

TEST_F(AccountFileProcessTest, AnOutputThatFailsEndsWithStatus5)
{
    writeAccount(3);
    for (const char *format : {"table", "csv", "json"}) {
        const Finished full = shell(
            QStringLiteral("\"$AUDIT\" scan --format %1 > /dev/full").arg(QLatin1String(format)));
        EXPECT_EQ(full.status, 5) << format;
        EXPECT_EQ(full.err.count('\n'), 1) << full.err.toStdString();
        // The system's reason in our words, its code kept.
        EXPECT_TRUE(full.err.contains("no queda espacio en el disco (ENOSPC)"))
            << full.err.toStdString();
        EXPECT_FALSE(full.err.contains("No space left")) << full.err.toStdString();
    }
    const Finished closed = shell(QStringLiteral("\"$AUDIT\" scan >&-"));
    EXPECT_EQ(closed.status, 5);
    EXPECT_EQ(closed.err.count('\n'), 1) << closed.err.toStdString();
    EXPECT_EQ(shell(QStringLiteral("\"$AUDIT\" --help > /dev/full")).status, 5);

    // The removal happened: it is told on the error stream before the failure.
    const Finished removal =
        shell(QStringLiteral("\"$AUDIT\" remove --format json %1 > /dev/full").arg(address(1)));
    EXPECT_EQ(removal.status, 5);
    EXPECT_TRUE(removal.err.startsWith("Eliminado: " + address(1).toUtf8() + "\norvalin-audit: "))
        << removal.err.toStdString();
    EXPECT_EQ(contactsIn(path()), QStringList({address(0), address(2)}));
}

// As behind `| head -1` once head has gone: the output is a pipe nobody reads, and the signal
// such a write raises would end the tool before it could tell what it removed.
TEST_F(AccountFileProcessTest, APipeClosedByItsReaderIsAFailedWriteLikeAnyOther)
{
    writeAccount(3);
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVALIN_ACCOUNT"), path());
    process.setProcessEnvironment(environment);
    process.setChildProcessModifier([] {
        int ends[2];
        if (::pipe(ends) != 0)
            ::_exit(99);
        ::close(ends[0]);
        ::dup2(ends[1], STDOUT_FILENO);
        ::close(ends[1]);
        ::signal(SIGPIPE, SIG_DFL);
    });
    process.start(QStringLiteral(ORVALIN_AUDIT_PATH), {"remove", address(0), address(2)});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QByteArray err = process.readAllStandardError();
    ASSERT_EQ(process.exitStatus(), QProcess::NormalExit) << "ended by a signal";
    EXPECT_EQ(process.exitCode(), 5) << err.toStdString();
    EXPECT_TRUE(err.startsWith("Eliminado: " + address(0).toUtf8() +
                               "\nEliminado: " + address(2).toUtf8() + "\norvalin-audit: "))
        << err.toStdString();
    EXPECT_EQ(contactsIn(path()), QStringList({address(1)}));
}

TEST_F(AccountFileProcessTest, HostileTextOnTheErrorStreamIsEscaped)
{
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // A duplicate address carrying a clear-screen and an OSC 52 clipboard write.
    file.write("{\"signInState\": 2, \"signInName\": \"a\", \"displayName\": \"b\", "
               "\"reverseList\": [], \"contactList\": ["
               "{\"EmailAddress\": \"x\\u001b[2J\\u001b]52;c;ZXZpbA==\\u0007\\u202e\"},"
               "{\"EmailAddress\": \"x\\u001b[2J\\u001b]52;c;ZXZpbA==\\u0007\\u202e\"}]}");
    file.close();
    const Finished finished = shell(QStringLiteral("\"$AUDIT\" scan"));
    EXPECT_EQ(finished.status, 4);
    EXPECT_FALSE(finished.err.contains('\x1b'));
    EXPECT_FALSE(finished.err.contains('\x07'));
    EXPECT_FALSE(finished.err.contains("\u202e"));
    EXPECT_TRUE(finished.err.contains("x\\x1b[2J\\x1b]52;c;ZXZpbA==\\x07\\u202e"))
        << finished.err.toStdString();
    // Arguments are outside text too.
    const Finished usage = shell(QStringLiteral("\"$AUDIT\" \"$(printf 'x\\033]52;c;e\\007')\""));
    EXPECT_EQ(usage.status, 2);
    EXPECT_FALSE(usage.err.contains('\x1b'));
}
