#include "platform/messenger/accounts/Keyring.h"
#include "tests/accounts/AccountsTestSupport.h"

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
