#include "platform/history/HistoryStore.h"
#include "tests/audit/AuditRun.h"
#include "tests/xmpp/TestContact.h"
#include "tests/xmpp/TestServer.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// orvalin-audit against the throwaway Prosody with the account typed in another case than the
// server binds it: the keep list, the removal's guard and forget must all be the one account.

namespace {

QProcessEnvironment reaching(const TestServer &server, const QTemporaryDir &dir)
{
    const QString passwordFile = dir.filePath("clave");
    QFile file(passwordFile);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(server.password + '\n');
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QProcessEnvironment environment;
    environment.insert("ORVALIN_XMPP_HOST", "127.0.0.1");
    environment.insert("ORVALIN_XMPP_PORT", QString::number(server.port));
    environment.insert("ORVALIN_XMPP_CAFILE", server.caFile);
    environment.insert("ORVALIN_XMPP_PASSWORD_FILE", passwordFile);
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    return environment;
}

} // namespace

TEST(CanonicalAccountTest, AnAccountTypedInCapitalsKeepsRefusesAndForgetsAsTheServersOne)
{
    const TestServer &server = TestServer::instance();
    TestContact user(server, "name-user");
    const QString friendAddress = server.jid("name-friend");
    user.presence(friendAddress, "subscribe"); // on the contact list, not on the reverse one
    QTemporaryDir dir;
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.filePath("data").toLocal8Bit());
    const QProcessEnvironment environment = reaching(server, dir);
    const QString typed = "Name-User@" + server.domain.toUpper();
    const QString bound = server.jid("name-user");
    const auto audit = [&](QStringList arguments) {
        arguments.prepend(typed);
        arguments.prepend("--account");
        return runAudit(arguments, environment);
    };

    const Outcome kept = audit({"keep", "add", friendAddress});
    EXPECT_EQ(kept.status, AuditTool::Done) << kept.err.toStdString();
    EXPECT_EQ(kept.out, "Protegido: " + friendAddress + " (cuenta " + bound + ")\n");

    const Outcome refused = audit({"remove", friendAddress});
    EXPECT_EQ(refused.status, AuditTool::Incomplete) << refused.err.toStdString();
    EXPECT_TRUE(refused.out.startsWith("Protegido: " + friendAddress)) << refused.out.toStdString();
    EXPECT_TRUE(user.roster().contains(friendAddress));

    const Outcome forgotten = audit({"history", "--forget", "--yes"});
    EXPECT_EQ(forgotten.status, AuditTool::Done) << forgotten.err.toStdString();
    EXPECT_EQ(forgotten.out, "Borrados de " + bound +
                                 ": 1 análisis, 0 eliminaciones registradas y 1 contacto "
                                 "protegido.\n");
    {
        HistoryStore store(HistoryStore::defaultPath());
        EXPECT_TRUE(store.keptAddresses(bound).isEmpty());
        EXPECT_TRUE(store.snapshots(bound).isEmpty());
    }
    user.presence(friendAddress, "unsubscribe");
    user.removeRosterItem(friendAddress);
    qputenv("XDG_DATA_HOME", savedDataHome);
}
