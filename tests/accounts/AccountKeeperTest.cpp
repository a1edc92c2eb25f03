#include "platform/messenger/accounts/AccountKeeper.h"
#include "platform/messenger/accounts/AccountChoice.h"
#include "platform/messenger/accounts/Keyring.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "tests/accounts/AccountsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Kind = AccountChoice::Kind;

// A settings file of the test's own and the test's keyring entries.
struct Kept
{
    Kept()
        : remembered(testHome() + QStringLiteral("/config/orvalin/keeper.conf")),
          keyring(testKeyringService()), keeper(remembered, keyring)
    {
    }
    ~Kept()
    {
        for (const RememberedAccount &account : remembered.accounts())
            keyring.remove(account.address);
        QFile::remove(remembered.path());
    }

    RememberedAccounts remembered;
    Keyring keyring;
    AccountKeeper keeper;
};

RememberedAccount xmppAccount(bool rememberPassword)
{
    return {QStringLiteral("ana@example.org"),
            QStringLiteral("xmpp.example.org"),
            5223,
            QStringLiteral("/etc/ssl/ca.pem"),
            rememberPassword,
            true};
}

} // namespace

TEST(AccountKindTest, OneRuleTellsTheDemoAFileAndAnXmppAddressApart)
{
    EXPECT_EQ(AccountChoice::kindOf(QStringLiteral("demo")), Kind::Demo);
    EXPECT_EQ(AccountChoice::kindOf(QStringLiteral("ana@example.org")), Kind::Xmpp);
    EXPECT_EQ(AccountChoice::kindOf(QStringLiteral("cuentas/ana.json")), Kind::File);
    // A path wins over the '@' it may hold, and a resource after '/' reads as a path too.
    EXPECT_EQ(AccountChoice::kindOf(QStringLiteral("/home/ana@casa/cuenta.json")), Kind::File);
    EXPECT_EQ(AccountChoice::kindOf(QStringLiteral("ana@example.org/movil")), Kind::File);
    EXPECT_EQ(AccountChoice::kindOf(QStringLiteral("ana")), std::nullopt);
    EXPECT_EQ(AccountChoice::kindOf(QString()), std::nullopt);

    // A file in the working folder whose name looks like an address is the file: the sign-in
    // window and the command line read it the same way.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    QFile file(QStringLiteral("eva@example.org"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(AccountChoice::kindOf(QStringLiteral("eva@example.org")), Kind::File);
    QDir::setCurrent(previous);
}

TEST(AccountKindTest, ANamedPipeIsToldAsAFileWithoutWaitingForAWriter)
{
    // Looking inside it for a download's first bytes would wait for ever.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString fifo = folder.filePath(QStringLiteral("cuenta.fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(AccountChoice::kindOf(fifo), Kind::File);
    EXPECT_EQ(AccountChoice::kindOf(folder.filePath(QStringLiteral("no-existe.zip"))), Kind::File);
}

TEST(AccountKeeperTest, KeepsTheXmppPasswordOnlyInTheKeyringAndDropsItWhenNoLongerWanted)
{
    Kept kept;
    QByteArray password = "clave-del-llavero-5";
    const QByteArray typed = password;
    const RememberedAccount stored = kept.keeper.keep(xmppAccount(true), password);
    EXPECT_TRUE(password.isEmpty() || password.count('\0') == password.size());
    EXPECT_EQ(stored, xmppAccount(true));
    EXPECT_EQ(kept.remembered.find(stored.address), xmppAccount(true));
    EXPECT_EQ(kept.remembered.lastUsed(), stored.address);
    EXPECT_EQ(kept.keyring.read(stored.address).password, typed);
    EXPECT_EQ(kept.keeper.keptPassword(stored.address), typed);
    EXPECT_EQ(filesHolding(typed), QStringList());

    // A new password replaces the old one: no second item, no old password read back.
    QByteArray changed = "clave-nueva-6";
    EXPECT_TRUE(kept.keeper.keep(xmppAccount(true), changed).rememberPassword);
    EXPECT_EQ(kept.keyring.read(stored.address).password, QByteArray("clave-nueva-6"));

    // Signed in again without "Recordar contraseña": the kept one goes.
    QByteArray again = typed;
    EXPECT_FALSE(kept.keeper.keep(xmppAccount(false), again).rememberPassword);
    EXPECT_EQ(kept.keyring.read(stored.address).status, Keyring::Status::NotFound);
    EXPECT_TRUE(kept.keeper.keptPassword(stored.address).isEmpty());
    EXPECT_TRUE(kept.keeper.keyringProblem().isEmpty());
}

TEST(AccountKeeperTest, TheDemoAndFilesKeepNeitherPasswordNorServerFields)
{
    Kept kept;
    for (const QString &address : {QStringLiteral("demo"), QStringLiteral("/tmp/ana.json")}) {
        RememberedAccount account = xmppAccount(true);
        account.address = address;
        QByteArray password = "no-se-guarda";
        const RememberedAccount stored = kept.keeper.keep(account, password);
        const RememberedAccount expected{address, {}, 0, {}, false, true};
        EXPECT_EQ(stored, expected);
        EXPECT_EQ(kept.remembered.find(address), expected);
        EXPECT_EQ(kept.keyring.read(address).status, Keyring::Status::NotFound);
    }
    EXPECT_EQ(kept.remembered.lastUsed(), QStringLiteral("/tmp/ana.json"));
}

TEST(AccountKeeperTest, ForgettingTakesTheAccountAndItsPassword)
{
    Kept kept;
    QByteArray password = "para-olvidar";
    kept.keeper.keep(xmppAccount(true), password);
    EXPECT_EQ(kept.keeper.forget(QStringLiteral("ana@example.org")), QString());
    EXPECT_FALSE(kept.remembered.find(QStringLiteral("ana@example.org")).has_value());
    EXPECT_EQ(kept.remembered.lastUsed(), QString());
    EXPECT_EQ(kept.keyring.read(QStringLiteral("ana@example.org")).status,
              Keyring::Status::NotFound);
}

TEST(AccountKeeperTest, AnAccountIsRememberedUnderOneNameHoweverItIsTyped)
{
    Kept kept;
    RememberedAccount typed = xmppAccount(true);
    typed.address = QStringLiteral("Ana@Example.ORG");
    QByteArray password = "una-sola-cuenta";
    const RememberedAccount stored = kept.keeper.keep(typed, password);
    EXPECT_EQ(stored.address, QStringLiteral("ana@example.org"));
    EXPECT_EQ(kept.remembered.lastUsed(), QStringLiteral("ana@example.org"));
    EXPECT_EQ(kept.remembered.find(QStringLiteral("ANA@example.org")), stored);
    EXPECT_EQ(kept.keyring.read(QStringLiteral("ana@example.org")).password, "una-sola-cuenta");
    EXPECT_EQ(kept.keeper.keptPassword(QStringLiteral("ana@EXAMPLE.org")), "una-sola-cuenta");

    // Signing in again under another spelling replaces it rather than adding a second one.
    typed.address = QStringLiteral("ANA@example.org");
    typed.port = 5222;
    QByteArray again = "una-sola-cuenta";
    kept.keeper.keep(typed, again);
    ASSERT_EQ(kept.remembered.accounts().size(), 1);
    EXPECT_EQ(kept.remembered.accounts().first().port, 5222);
    EXPECT_EQ(kept.keeper.forget(QStringLiteral("Ana@example.org")), QString());
    EXPECT_TRUE(kept.remembered.accounts().isEmpty());
    EXPECT_EQ(kept.keyring.read(QStringLiteral("ana@example.org")).status,
              Keyring::Status::NotFound);
}

TEST(RememberedAccountsTest, SpellingsSavedByAnOlderVersionReadAsOneAccount)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("orvalin.conf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nultimaCuenta=BEA@Example.org\n\n[cuentas]\n"
               "1\\direccion=Bea@example.org\n1\\puerto=5223\n"
               "2\\direccion=bea@EXAMPLE.org\n2\\puerto=5222\n"
               "3\\direccion=" +
               dir.filePath("sub/../cuenta.json").toUtf8() + "\n4\\direccion=demo\nsize=4\n");
    file.close();
    QFile account(dir.filePath("cuenta.json"));
    ASSERT_TRUE(account.open(QIODevice::WriteOnly));
    account.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    ASSERT_TRUE(QFile::link(dir.filePath("cuenta.json"), dir.filePath("enlace.json")));

    const RememberedAccounts remembered(path);
    const QList<RememberedAccount> accounts = remembered.accounts();
    ASSERT_EQ(accounts.size(), 3);
    EXPECT_EQ(accounts.at(0).address, QStringLiteral("bea@example.org"));
    EXPECT_EQ(accounts.at(0).port, 5223);
    EXPECT_EQ(accounts.at(1).address, QFileInfo(dir.filePath("cuenta.json")).canonicalFilePath());
    EXPECT_EQ(accounts.at(2).address, QStringLiteral("demo"));
    EXPECT_EQ(remembered.lastUsed(), QStringLiteral("bea@example.org"));
    // A file reached through a link is the file it leads to.
    EXPECT_TRUE(remembered.find(dir.filePath("enlace.json")).has_value());
}

// Without a session bus, as keyring-session.sh --no-keyring runs it.
TEST(NoKeyringAccountKeeperTest, WithoutAKeyringNothingIsKeptInItsPlaceAndTheProblemIsSaid)
{
    Kept kept;
    QByteArray password = "sin-llavero-1618";
    const RememberedAccount stored = kept.keeper.keep(xmppAccount(true), password);
    EXPECT_FALSE(stored.rememberPassword);
    EXPECT_FALSE(kept.remembered.find(stored.address)->rememberPassword);
    EXPECT_EQ(filesHolding("sin-llavero-1618"), QStringList());

    EXPECT_EQ(kept.keeper.keyringProblem(),
              QStringLiteral("no hay llavero del sistema en esta sesión"));

    // With no keyring at all there is no password to drop: forgetting works.
    EXPECT_EQ(kept.keeper.forget(stored.address), QString());
    EXPECT_FALSE(kept.remembered.find(stored.address).has_value());

    // A fresh look says the same, without a session bus to ask.
    AccountKeeper fresh(kept.remembered, kept.keyring);
    fresh.checkKeyring(stored.address);
    EXPECT_EQ(fresh.keyringProblem(), QStringLiteral("no hay llavero del sistema en esta sesión"));
}

// keyring-session.sh, with the collection locked by the test.
TEST(LockedKeyringAccountKeeperTest, APasswordThatCannotBeDroppedIsToldAndItsAccountStays)
{
    Kept kept;
    QByteArray password = "queda-en-el-llavero";
    kept.keeper.keep(xmppAccount(true), password);
    ASSERT_TRUE(lockKeyring());

    // "Recordar contraseña" unticked: the old password cannot go, and that is said.
    AccountKeeper later(kept.remembered, kept.keyring);
    QByteArray again = "queda-en-el-llavero";
    EXPECT_FALSE(later.keep(xmppAccount(false), again).rememberPassword);
    EXPECT_TRUE(later.keyringProblem().contains(u"llavero"))
        << later.keyringProblem().toStdString();

    AccountKeeper forgetting(kept.remembered, kept.keyring);
    const QString failure = forgetting.forget(QStringLiteral("ana@example.org"));
    EXPECT_TRUE(failure.contains(u"No se pudo quitar la contraseña")) << failure.toStdString();
    EXPECT_TRUE(kept.remembered.find(QStringLiteral("ana@example.org")).has_value());
}
