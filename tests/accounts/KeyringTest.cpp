#include "platform/messenger/accounts/Keyring.h"
#include "tests/accounts/AccountsTestSupport.h"
#include "tools/audit/AuditTool.h"

#include <QProcessEnvironment>
#include <QTextStream>
#include <gtest/gtest.h>

// Against the Secret Service that keyring-session.sh starts.
TEST(KeyringSessionTest, StoresReadsBackAndForgetsWithoutWritingThePasswordToAnyFile)
{
    const Keyring keyring(testKeyringService());
    const QString account = QStringLiteral("ana@example.org");
    const QByteArray password = "guarda-esto-3141";

    ASSERT_EQ(keyring.write(account, password).status, Keyring::Status::Ok);
    const Keyring::Answer read = keyring.read(account);
    ASSERT_EQ(read.status, Keyring::Status::Ok) << read.error.toStdString();
    EXPECT_EQ(read.password, password);
    // Kept per account, and per service.
    EXPECT_EQ(keyring.read(QStringLiteral("eva@example.org")).status, Keyring::Status::NotFound);
    EXPECT_EQ(Keyring(QStringLiteral("otro-programa")).read(account).status,
              Keyring::Status::NotFound);

    EXPECT_EQ(filesHolding(password), QStringList());

    EXPECT_EQ(keyring.remove(account).status, Keyring::Status::Ok);
    EXPECT_EQ(keyring.read(account).status, Keyring::Status::NotFound);
    EXPECT_EQ(keyring.remove(account).status, Keyring::Status::Ok);
}

// Without a session bus, as keyring-session.sh --no-keyring runs it.
TEST(NoKeyringTest, EveryCallSaysSoAndNothingIsWrittenInstead)
{
    const Keyring keyring(testKeyringService());
    const QByteArray password = "sin-llavero-2718";
    const Keyring::Answer written = keyring.write(QStringLiteral("ana@example.org"), password);
    EXPECT_EQ(written.status, Keyring::Status::Unavailable);
    EXPECT_FALSE(written.error.isEmpty());
    EXPECT_EQ(keyring.read(QStringLiteral("ana@example.org")).status, Keyring::Status::Unavailable);
    EXPECT_EQ(filesHolding(password), QStringList());
}

// keyring-session.sh, with the collection locked by the test.
TEST(LockedKeyringTest, ALockedCollectionIsToldNeverHiddenAsAMissingPassword)
{
    const Keyring keyring(testKeyringService());
    const QString account = QStringLiteral("ana@example.org");
    ASSERT_EQ(keyring.write(account, "antes-del-bloqueo").status, Keyring::Status::Ok);
    ASSERT_TRUE(lockKeyring());

    // Unattended: nothing is asked, and the lock is named.
    const Keyring unattended(testKeyringService(), Keyring::Unlocking::Never);
    for (const Keyring::Answer &answer :
         {unattended.read(account), unattended.write(account, "otra"),
          unattended.remove(account)}) {
        EXPECT_EQ(answer.status, Keyring::Status::Unavailable);
        EXPECT_EQ(answer.problem, Keyring::Problem::Locked);
        EXPECT_EQ(answer.error, QStringLiteral("el llavero del sistema está bloqueado"));
    }

    // Asked to unlock, the keyring's prompt is dismissed (no one can answer it here): refused,
    // and a removal does not claim success over an item it could not see.
    for (const Keyring::Answer &answer :
         {keyring.read(account), keyring.write(account, "otra"), keyring.remove(account)}) {
        EXPECT_EQ(answer.status, Keyring::Status::Unavailable);
        EXPECT_EQ(answer.problem, Keyring::Problem::Refused) << answer.error.toStdString();
        EXPECT_TRUE(answer.error.contains(u"no se dio permiso")) << answer.error.toStdString();
    }
}

// keyring-session.sh --bus-only: a session bus, but no Secret Service on it.
TEST(NoSecretServiceTest, ABusWithoutAKeyringIsToldAsNoKeyring)
{
    const Keyring keyring(testKeyringService());
    for (const Keyring::Answer &answer :
         {keyring.read(QStringLiteral("ana@example.org")),
          keyring.write(QStringLiteral("ana@example.org"), "sin-servicio-577")}) {
        EXPECT_EQ(answer.status, Keyring::Status::Unavailable);
        EXPECT_EQ(answer.problem, Keyring::Problem::Absent) << answer.error.toStdString();
    }
    EXPECT_EQ(filesHolding("sin-servicio-577"), QStringList());
}

TEST(NoSecretServiceTest, TheAuditSaysOnceOnStderrThatThereIsNoKeyring)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Nothing listens there: the password is looked for all the same, before connecting.
    environment.insert(QStringLiteral("ORVALIN_XMPP_HOST"), QStringLiteral("127.0.0.1"));
    environment.insert(QStringLiteral("ORVALIN_XMPP_PORT"), QStringLiteral("1"));
    QString output;
    QString errors;
    QTextStream out(&output);
    QTextStream err(&errors);
    const int status = AuditTool::run(
        {QStringLiteral("--account"), QStringLiteral("ana@example.org"), QStringLiteral("scan")},
        environment, out, err);
    err.flush();
    EXPECT_NE(status, AuditTool::Done);
    EXPECT_EQ(errors.count(QStringLiteral("no hay llavero del sistema en esta sesión")), 1)
        << errors.toStdString();
}
