#include "tests/audit/AuditRun.h"
#include "tests/xmpp/TestContact.h"
#include "tests/xmpp/TestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

// orvalin-audit fans on a real server: the one-way contacts and the requests kept while the
// user was away are listed, and what fans add and fans drop did is read back from the other
// side's roster.

namespace {

// The other side sees a change once its server has routed it: wait for it a while.
QString subscriptionOnceSettled(TestContact &contact, const QString &jid, const QString &expected)
{
    QDeadlineTimer deadline(5000);
    QString seen;
    do {
        seen = contact.roster().value(jid, QStringLiteral("(absent)"));
        if (seen == expected)
            break;
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return seen;
}

QProcessEnvironment accountEnvironment(const TestServer &s, const QString &user,
                                       const QTemporaryDir &dir)
{
    QFile passwordFile(dir.filePath("clave"));
    EXPECT_TRUE(passwordFile.open(QIODevice::WriteOnly));
    passwordFile.write(s.password + '\n');
    passwordFile.close();
    passwordFile.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QProcessEnvironment environment;
    environment.insert("ORVALIN_XMPP", s.jid(user));
    environment.insert("ORVALIN_XMPP_PASSWORD_FILE", passwordFile.fileName());
    environment.insert("ORVALIN_XMPP_HOST", "127.0.0.1");
    environment.insert("ORVALIN_XMPP_PORT", QString::number(s.port));
    environment.insert("ORVALIN_XMPP_CAFILE", s.caFile);
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    return environment;
}

// Address -> kind, as the JSON list gives them.
QMap<QString, QString> listedKinds(const Outcome &run)
{
    QMap<QString, QString> kinds;
    const QJsonObject root = QJsonDocument::fromJson(run.out.toUtf8()).object();
    const QJsonArray fans = root.value("fans").toArray();
    for (const auto &entry : fans) {
        const QJsonObject fan = entry.toObject();
        kinds.insert(fan.value("EmailAddress").toString(), fan.value("kind").toString());
    }
    return kinds;
}

} // namespace

TEST(XmppFansTest, ListsOneWayContactsAndStoredRequestsAndAnswersOnlyThose)
{
    const TestServer *s = nullptr;
    try {
        s = &TestServer::instance();
    } catch (const std::exception &error) {
        FAIL() << error.what();
    }
    TestContact oneWay(*s, "fan-one");
    TestContact revoked(*s, "fan-gone");
    TestContact kept(*s, "fan-kept");
    TestContact mutual(*s, "fan-both");
    TestContact asker(*s, "fan-asker");
    TestContact stranger(*s, "fan-stranger");
    const QString userJid = s->jid("fan-user");
    {
        TestContact user(*s, "fan-user");
        for (TestContact *fan : {&oneWay, &revoked, &kept, &mutual}) {
            fan->presence(userJid, "subscribe");
            user.presence(fan->jid(), "subscribed");
        }
        user.presence(mutual.jid(), "subscribe");
        mutual.presence(userJid, "subscribed");
        ASSERT_EQ(user.roster().value(oneWay.jid()), "from");
        ASSERT_EQ(user.roster().value(mutual.jid()), "both");
    }
    // Sent while the user is away: the server keeps both for the next sign-in.
    asker.presence(userJid, "subscribe");
    stranger.presence(userJid, "subscribe");

    QTemporaryDir dir;
    const QProcessEnvironment environment = accountEnvironment(*s, "fan-user", dir);
    const Outcome listed = runAudit({"fans", "--format", "json"}, environment);
    ASSERT_EQ(listed.status, AuditTool::Done) << qPrintable(listed.err);
    const QMap<QString, QString> expected{{oneWay.jid(), "oneWay"},
                                          {revoked.jid(), "oneWay"},
                                          {kept.jid(), "oneWay"},
                                          {asker.jid(), "request"},
                                          {stranger.jid(), "request"}};
    EXPECT_EQ(listedKinds(listed), expected) << qPrintable(listed.out);
    EXPECT_TRUE(listed.out.contains("3 te tienen y tú no; 2 solicitudes sin responder"))
        << qPrintable(listed.out);

    // A contact the user has both ways is not a fan: refused by name, the others answered.
    const Outcome added =
        runAudit({"fans", "add", oneWay.jid(), asker.jid(), mutual.jid()}, environment);
    EXPECT_EQ(added.status, AuditTool::Incomplete) << qPrintable(added.err);
    EXPECT_TRUE(added.out.contains("Agregado: " + oneWay.jid())) << qPrintable(added.out);
    EXPECT_TRUE(added.out.contains("Aceptado: " + asker.jid())) << qPrintable(added.out);
    EXPECT_TRUE(added.out.contains("No listado: " + mutual.jid())) << qPrintable(added.out);
    // The approval reached the asker, and both got the user's request, which they accept.
    EXPECT_EQ(subscriptionOnceSettled(asker, userJid, "to"), "to");
    oneWay.presence(userJid, "subscribed");
    asker.presence(userJid, "subscribed");
    EXPECT_EQ(subscriptionOnceSettled(oneWay, userJid, "both"), "both");
    EXPECT_EQ(subscriptionOnceSettled(asker, userJid, "both"), "both");
    EXPECT_EQ(mutual.roster().value(userJid), "both");

    // A fan is not on the contact list: keeping one takes --force.
    ASSERT_EQ(runAudit({"keep", "add", "--force", kept.jid()}, environment).status,
              AuditTool::Done);
    const Outcome dropped =
        runAudit({"fans", "drop", revoked.jid(), stranger.jid(), kept.jid(), s->jid("fan-nobody")},
                 environment);
    EXPECT_EQ(dropped.status, AuditTool::Incomplete) << qPrintable(dropped.err);
    EXPECT_TRUE(dropped.out.contains("Retirado: " + revoked.jid())) << qPrintable(dropped.out);
    EXPECT_TRUE(dropped.out.contains("Rechazado: " + stranger.jid())) << qPrintable(dropped.out);
    // The kept fan stays, and the line says whose keep list kept it.
    EXPECT_TRUE(dropped.out.contains("Protegido: " + kept.jid() +
                                     " (está en tu lista de contactos protegidos de " + userJid +
                                     ")"))
        << qPrintable(dropped.out);
    EXPECT_TRUE(dropped.out.contains("No listado: " + s->jid("fan-nobody")))
        << qPrintable(dropped.out);
    EXPECT_TRUE(dropped.out.contains("1 te tiene y tú no; 0 solicitudes sin responder"))
        << qPrintable(dropped.out);
    // The revoked fan no longer sees the user's presence; the declined request is gone.
    EXPECT_EQ(subscriptionOnceSettled(revoked, userJid, "none"), "none");
    EXPECT_EQ(subscriptionOnceSettled(stranger, userJid, "none"), "none");
    EXPECT_EQ(kept.roster().value(userJid), "to");

    const Outcome after = runAudit({"fans", "--format", "json"}, environment);
    ASSERT_EQ(after.status, AuditTool::Done) << qPrintable(after.err);
    EXPECT_EQ(listedKinds(after), (QMap<QString, QString>{{kept.jid(), "oneWay"}}))
        << qPrintable(after.out);
    // Nobody dropped is left on the user's roster to read as a contact the user has.
    TestContact user(*s, "fan-user");
    const QMap<QString, QString> roster = user.roster();
    EXPECT_FALSE(roster.contains(revoked.jid()));
    EXPECT_FALSE(roster.contains(stranger.jid()));
    EXPECT_EQ(roster.value(asker.jid()), "both");
    EXPECT_EQ(roster.value(kept.jid()), "from");

    // Without a readable keep list nobody is dropped: a kept contact could not be told apart.
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
    QTemporaryDir data;
    ASSERT_TRUE(QDir().mkpath(data.filePath("orvalin")));
    QFile damaged(data.filePath("orvalin/history.sqlite"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("no es una base de datos");
    damaged.close();
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    const Outcome unguarded = runAudit({"fans", "drop", kept.jid()}, environment);
    qputenv("XDG_DATA_HOME", savedDataHome);
    EXPECT_EQ(unguarded.status, AuditTool::Failure) << qPrintable(unguarded.out);
    EXPECT_EQ(unguarded.out, QString());
    EXPECT_TRUE(unguarded.err.contains("history.sqlite")) << qPrintable(unguarded.err);
    EXPECT_EQ(user.roster().value(kept.jid()), "from");
}
