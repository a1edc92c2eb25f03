#include "platform/messenger/accounts/AccountChooser.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/accounts/Keyring.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "platform/messenger/xmpp/NoPasswordSource.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Kind = AccountChoice::Kind;
using Source = AccountChoice::Source;

class AccountChooserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("cuenta.json"));
        QFile file(m_file);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"({"signInState": 2, "signInName": "yo@example.org", "displayName": "Yo",
                       "contactList": [], "reverseList": []})");
    }

    RememberedAccounts remembered() const
    {
        return RememberedAccounts(m_dir.filePath(QStringLiteral("config/orvalin/orvalin.conf")));
    }

    QTemporaryDir m_dir;
    QString m_file;
};

struct Row
{
    const char *what;
    QString commandLine;
    QString xmppVariable;
    QString accountVariable;
    bool rememberedAutomatic;
    AccountChooser::Fallback fallback;
    Kind kind;
    Source source;
    QString address; // "FILE" stands for the test's account file
};

} // namespace

TEST_F(AccountChooserTest, FirstOfCommandLineEnvironmentRememberedAndFallbackWins)
{
    const QString remembered = QStringLiteral("ana@example.org");
    const auto Ask = AccountChooser::Fallback::Ask;
    const auto Demo = AccountChooser::Fallback::Demo;
    const QString file = QStringLiteral("FILE");
    const QList<Row> table = {
        {"command line address", "eva@example.org", "luis@example.org", file, true, Ask, Kind::Xmpp,
         Source::CommandLine, "eva@example.org"},
        {"command line file",
         file,
         "luis@example.org",
         {},
         true,
         Ask,
         Kind::File,
         Source::CommandLine,
         file},
        {"command line demo",
         "demo",
         "luis@example.org",
         {},
         true,
         Ask,
         Kind::Demo,
         Source::CommandLine,
         {}},
        {"ORVALIN_XMPP over ORVALIN_ACCOUNT",
         {},
         "luis@example.org/casa",
         file,
         true,
         Ask,
         Kind::Xmpp,
         Source::Environment,
         "luis@example.org"},
        {"ORVALIN_ACCOUNT over remembered",
         {},
         {},
         file,
         true,
         Ask,
         Kind::File,
         Source::Environment,
         file},
        {"remembered, signing in by itself",
         {},
         {},
         {},
         true,
         Demo,
         Kind::Xmpp,
         Source::Remembered,
         remembered},
        {"remembered only: the window asks",
         {},
         {},
         {},
         false,
         Ask,
         Kind::Ask,
         Source::Default,
         {}},
        {"remembered only: the audit uses the demo",
         {},
         {},
         {},
         false,
         Demo,
         Kind::Demo,
         Source::Default,
         {}},
    };
    for (const Row &row : table) {
        SCOPED_TRACE(row.what);
        QTemporaryDir config;
        RememberedAccounts accounts(config.filePath(QStringLiteral("orvalin.conf")));
        RememberedAccount account;
        account.address = remembered;
        account.signInAutomatically = row.rememberedAutomatic;
        accounts.save(account);
        accounts.setLastUsed(remembered);

        QProcessEnvironment environment;
        const auto resolve = [&](const QString &value) { return value == file ? m_file : value; };
        if (!row.xmppVariable.isEmpty())
            environment.insert(QStringLiteral("ORVALIN_XMPP"), row.xmppVariable);
        if (!row.accountVariable.isEmpty())
            environment.insert(QStringLiteral("ORVALIN_ACCOUNT"), resolve(row.accountVariable));
        const AccountChoice choice =
            AccountChooser(environment, accounts).choose(resolve(row.commandLine), row.fallback);
        EXPECT_EQ(choice.kind, row.kind);
        EXPECT_EQ(choice.source, row.source);
        EXPECT_EQ(choice.address, resolve(row.address));
    }
}

TEST_F(AccountChooserTest, AStoredPortOutOfRangeIsDroppedRatherThanWrapped)
{
    RememberedAccounts accounts = remembered();
    accounts.save({QStringLiteral("ana@example.org"), {}, 5223, {}, false, false});
    for (const char *stored : {"4294972518", "65536", "0", "-1", "5222x"}) {
        QSettings(accounts.path(), QSettings::IniFormat)
            .setValue(QStringLiteral("cuentas/1/puerto"), QString::fromLatin1(stored));
        EXPECT_EQ(accounts.find(QStringLiteral("ana@example.org"))->port, 0) << stored;
    }
}

TEST_F(AccountChooserTest, EnvironmentFieldsWinOverRememberedOnesForTheSameAddress)
{
    RememberedAccounts accounts = remembered();
    RememberedAccount ana{QStringLiteral("ana@example.org"),
                          QStringLiteral("xmpp.example.org"),
                          5223,
                          m_file,
                          true,
                          false};
    accounts.save(ana);
    EXPECT_EQ(accounts.find(ana.address), ana);

    const XmppSettings kept =
        AccountChooser({}, accounts).xmppSettings(ana.address, QStringLiteral("--account"));
    EXPECT_EQ(kept.host, ana.host);
    EXPECT_EQ(kept.port, 5223);
    EXPECT_EQ(kept.caFile, m_file);

    QProcessEnvironment environment;
    environment.insert(QStringLiteral("ORVALIN_XMPP_HOST"), QStringLiteral("127.0.0.1"));
    environment.insert(QStringLiteral("ORVALIN_XMPP_PORT"), QStringLiteral("15222"));
    const XmppSettings overridden =
        AccountChooser(environment, accounts).xmppSettings(ana.address, QStringLiteral("x"));
    EXPECT_EQ(overridden.host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(overridden.port, 15222);
    EXPECT_EQ(overridden.caFile, m_file);

    // Another address gets none of ana's fields.
    EXPECT_TRUE(AccountChooser({}, accounts)
                    .xmppSettings(QStringLiteral("eva@example.org"), QStringLiteral("x"))
                    .host.isEmpty());

    accounts.forget(ana.address);
    EXPECT_FALSE(accounts.find(ana.address).has_value());
}

TEST_F(AccountChooserTest, UnusableValuesAreNamedWithWhereTheyCameFrom)
{
    const RememberedAccounts accounts = remembered();
    const auto failure = [&](const QProcessEnvironment &environment, const QString &commandLine) {
        try {
            AccountChooser(environment, accounts)
                .choose(commandLine, AccountChooser::Fallback::Demo);
        } catch (const MessengerError &error) {
            return error.message();
        }
        return QStringLiteral("(no error)");
    };
    EXPECT_TRUE(failure({}, QStringLiteral("ana")).contains(u"--account: «ana» no es"));
    EXPECT_TRUE(failure({}, QStringLiteral("ana@")).contains(u"--account no es una dirección"));

    QProcessEnvironment badPort;
    badPort.insert(QStringLiteral("ORVALIN_XMPP"), QStringLiteral("ana@localhost"));
    badPort.insert(QStringLiteral("ORVALIN_XMPP_PORT"), QStringLiteral("puerto"));
    EXPECT_TRUE(failure(badPort, {}).contains(u"ORVALIN_XMPP_PORT"))
        << failure(badPort, {}).toStdString();
}

TEST_F(AccountChooserTest, ClientsServeTheChosenAccountAndAnUnsafePasswordFileStopsEarly)
{
    const RememberedAccounts accounts = remembered();
    NoPasswordSource noPassword;
    const Keyring keyring(QStringLiteral("orvalin-test"));
    const AccountChooser chooser({}, accounts);
    const auto signInName = [&](const QString &commandLine) {
        return chooser
            .createClient(chooser.choose(commandLine, AccountChooser::Fallback::Demo), keyring,
                          noPassword, std::make_shared<PlainWaiter>())
            ->serviceSet()
            ->defaultService()
            ->signInName();
    };
    EXPECT_EQ(signInName({}), QStringLiteral("lucia.ferrer@example.org"));
    EXPECT_EQ(signInName(m_file), QStringLiteral("yo@example.org"));
    EXPECT_EQ(AccountChooser::signedOutClient()->serviceSet()->defaultService()->signInState(),
              MessengerService::SignedOut);

    const QString passwordFile = m_dir.filePath(QStringLiteral("clave"));
    QFile file(passwordFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("s3cr3t\n");
    file.close();
    ASSERT_TRUE(QFile::setPermissions(passwordFile, QFile::ReadOwner | QFile::WriteOwner |
                                                        QFile::ReadGroup | QFile::ReadOther));
    QProcessEnvironment environment;
    // A port nothing listens on: were the file accepted, the error would be another one.
    environment.insert(QStringLiteral("ORVALIN_XMPP_HOST"), QStringLiteral("127.0.0.1"));
    environment.insert(QStringLiteral("ORVALIN_XMPP_PORT"), QStringLiteral("1"));
    environment.insert(QStringLiteral("ORVALIN_XMPP_PASSWORD_FILE"), passwordFile);
    const AccountChooser withFile(environment, accounts);
    try {
        withFile.createClient(
            withFile.choose(QStringLiteral("ana@localhost"), AccountChooser::Fallback::Demo),
            keyring, noPassword, std::make_shared<PlainWaiter>());
        ADD_FAILURE() << "no error";
    } catch (const MessengerError &error) {
        EXPECT_TRUE(error.message().contains(passwordFile)) << error.message().toStdString();
    }
}
