#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/MessengerUserList.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"
#include "tests/xmpp/TestContact.h"
#include "tests/xmpp/TestProxy.h"
#include "tests/xmpp/TestServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

// These tests need the server that the CTest fixture starts; each uses accounts of its own.

namespace {

class FixedPassword : public PasswordSource
{
public:
    explicit FixedPassword(QByteArray password) : m_password(std::move(password)) {}
    QByteArray password(const QString &) override { return m_password; }

private:
    QByteArray m_password;
};

const TestServer &server()
{
    return TestServer::instance();
}

std::unique_ptr<XmppMessengerClient> signIn(const XmppSettings &settings)
{
    FixedPassword password(server().password);
    return std::make_unique<XmppMessengerClient>(settings, password,
                                                 std::make_shared<PlainWaiter>());
}

std::unique_ptr<XmppMessengerClient> signIn(const QString &user)
{
    return signIn(server().settings(user));
}

// Waits handling the test's own events: some of the servers below are Qt sockets on this
// thread, which answer only while its event loop runs.
class EventLoopWaiter : public MessengerWaiter
{
public:
    void wait(const Poll &poll) const override
    {
        while (!poll(std::chrono::milliseconds(5)))
            QCoreApplication::processEvents();
    }
};

// The message of the failed sign-in; fails the test when it succeeds.
QString signInError(const XmppSettings &settings, const QByteArray &password)
{
    try {
        FixedPassword source(password);
        XmppMessengerClient client(settings, source, std::make_shared<EventLoopWaiter>());
    } catch (const MessengerError &error) {
        EXPECT_TRUE(error.message().contains(settings.bareJid())) << error.message().toStdString();
        EXPECT_FALSE(error.message().contains(QString::fromUtf8(password)))
            << "the password shows in: " << error.message().toStdString();
        return error.message();
    }
    ADD_FAILURE() << "signed in";
    return {};
}

// One member of every user, read as the scan reads it (from the list's table), which must agree
// with the users the list hands out.
QStringList members(const MessengerUserList &list, QStringView name)
{
    QStringList result;
    for (qint32 i = 0; i < list.count(); ++i) {
        result.append(list.member(i, name).toString());
        EXPECT_EQ(result.last(), list.user(i).member(name)) << "the scan's table is stale at " << i;
    }
    return result;
}

QStringList addresses(MessengerClient &client, qint32 listNumber)
{
    return members(*client.userList(listNumber), u"EmailAddress");
}

QStringList friendlyNames(MessengerClient &client, qint32 listNumber)
{
    return members(*client.userList(listNumber), u"FriendlyName");
}

// The contacts missing from the reverse list: what the window's scan lists.
QStringList droppedContacts(MessengerClient &client)
{
    const QStringList reverse = addresses(client, MessengerClient::ReverseList);
    QStringList dropped;
    for (const QString &contact : addresses(client, MessengerClient::ContactList)) {
        if (!reverse.contains(contact))
            dropped.append(contact);
    }
    return dropped;
}

// Turns Qt's event loop, which keeps the client reading, until done() or ten seconds.
bool eventually(const std::function<bool()> &done)
{
    const QDeadlineTimer deadline(10000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

void removeContact(MessengerClient &client, const QString &address)
{
    const auto service = client.serviceSet()->defaultService();
    const auto user = client.lookUpUser(address, *service);
    client.userList(MessengerClient::ContactList)->remove(*user);
}

// Both see each other's presence.
void makeMutual(TestContact &user, TestContact &contact)
{
    user.presence(contact.jid(), "subscribe");
    contact.presence(user.jid(), "subscribed");
    contact.presence(user.jid(), "subscribe");
    user.presence(contact.jid(), "subscribed");
}

class XmppServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        try {
            TestServer::instance();
        } catch (const std::exception &error) {
            FAIL() << error.what();
        }
    }
};

} // namespace

TEST_F(XmppServerTest, ScanListsExactlyTheContactsWhoDroppedTheUser)
{
    const TestServer &s = server();
    TestContact user(s, "scan-user");
    TestContact both(s, "scan-both");
    TestContact to(s, "scan-to");
    TestContact none(s, "scan-none");
    TestContact from(s, "scan-from");
    TestContact pending(s, "scan-pending");

    makeMutual(user, both);
    user.setRosterItem(both.jid(), "Ana");
    makeMutual(user, to);
    to.presence(user.jid(), "unsubscribe"); // stops receiving the user's presence
    makeMutual(user, none);
    none.removeRosterItem(user.jid()); // deletes the user altogether
    from.presence(user.jid(), "subscribe");
    user.presence(from.jid(), "subscribed");
    pending.presence(user.jid(), "subscribe");       // left unanswered
    user.presence(s.jid("scan-asked"), "subscribe"); // never answered by the contact

    const QMap<QString, QString> expected{{s.jid("scan-asked"), "none+ask"},
                                          {both.jid(), "both"},
                                          {from.jid(), "from"},
                                          {none.jid(), "none"},
                                          {to.jid(), "to"}};
    ASSERT_EQ(user.roster(), expected) << "the server did not reach the seeded states";

    const auto client = signIn("scan-user");
    EXPECT_EQ(addresses(*client, MessengerClient::ContactList),
              QStringList({s.jid("scan-asked"), both.jid(), none.jid(), to.jid()}));
    EXPECT_EQ(addresses(*client, MessengerClient::ReverseList),
              QStringList({both.jid(), from.jid(), pending.jid()}));
    EXPECT_EQ(friendlyNames(*client, MessengerClient::ContactList),
              QStringList({s.jid("scan-asked"), "Ana", none.jid(), to.jid()}));
    EXPECT_EQ(droppedContacts(*client), QStringList({s.jid("scan-asked"), none.jid(), to.jid()}));

    const auto service = client->serviceSet()->defaultService();
    EXPECT_EQ(client->lookUpUser(both.jid(), *service)->member(u"FriendlyName"), "Ana");
    EXPECT_EQ(client->lookUpUser(pending.jid(), *service)->member(u"EmailAddress"), pending.jid());
    EXPECT_THROW(client->lookUpUser(s.jid("nobody"), *service), MessengerError);
    EXPECT_THROW(client->userList(1), MessengerError);
}

TEST_F(XmppServerTest, ServiceDescribesTheSignedInUser)
{
    const TestServer &s = server();
    TestContact(s, "nick-vcard").setVcardNickname("Vero");
    TestContact(s, "nick-pep").publishNickname("Pepa");

    const auto plain = signIn("nick-plain");
    const auto service = plain->serviceSet()->defaultService();
    EXPECT_EQ(service->signInState(), 2);
    EXPECT_EQ(service->signInName(), s.jid("nick-plain"));
    EXPECT_EQ(service->displayName(), "nick-plain");

    EXPECT_EQ(signIn("nick-vcard")->serviceSet()->defaultService()->displayName(), "Vero");
    EXPECT_EQ(signIn("nick-pep")->serviceSet()->defaultService()->displayName(), "Pepa");
}

TEST_F(XmppServerTest, RemovalTakesTheContactOffTheServersRoster)
{
    const TestServer &s = server();
    TestContact user(s, "rm-user");
    user.presence(s.jid("rm-also"), "subscribe");
    user.presence(s.jid("rm-gone"), "subscribe");
    user.presence(s.jid("rm-kept"), "subscribe");

    const auto client = signIn("rm-user");
    const QStringList all{s.jid("rm-also"), s.jid("rm-gone"), s.jid("rm-kept")};
    ASSERT_EQ(droppedContacts(*client), all);
    const auto before = client->userList(MessengerClient::ContactList);
    removeContact(*client, s.jid("rm-gone"));
    EXPECT_EQ(droppedContacts(*client), QStringList({s.jid("rm-also"), s.jid("rm-kept")}));
    // A list fetched before the removal keeps what it had; the list that removes reads without
    // the contact at once.
    EXPECT_EQ(members(*before, u"EmailAddress"), all);
    const auto list = client->userList(MessengerClient::ContactList);
    list->remove(list->user(0));
    EXPECT_EQ(members(*list, u"EmailAddress"), QStringList({s.jid("rm-kept")}));

    // A fresh session reads what the server kept.
    EXPECT_EQ(user.roster().keys(), QStringList({s.jid("rm-kept")}));
    EXPECT_EQ(addresses(*signIn("rm-user"), MessengerClient::ContactList),
              QStringList({s.jid("rm-kept")}));
}

TEST_F(XmppServerTest, RefusedRemovalIsAnErrorAndChangesNothing)
{
    const TestServer &s = server();
    const auto client = signIn("rm-user");
    const QStringList before = addresses(*client, MessengerClient::ContactList);
    const auto contacts = client->userList(MessengerClient::ContactList);
    try {
        // Not an address at all: refused by every server (a well-formed address that is not on
        // the roster is refused by Prosody but quietly accepted by ejabberd).
        contacts->remove(MessengerUser(s.jid("stranger@"), "Nadie"));
        ADD_FAILURE() << "the server accepted removing someone not on the roster";
    } catch (const MessengerError &error) {
        EXPECT_TRUE(error.message().contains(s.jid("stranger@"))) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains("rechazó")) << error.message().toStdString();
    }
    EXPECT_EQ(contacts->count(), before.size());
    EXPECT_EQ(addresses(*client, MessengerClient::ContactList), before);

    // The reverse list is the other people's own choice; nothing is removed from it.
    const auto reverse = client->userList(MessengerClient::ReverseList);
    EXPECT_THROW(reverse->remove(MessengerUser(s.jid("rm-kept"), "")), MessengerError);
}

TEST_F(XmppServerTest, RemovalWithoutAnAnswerInTimeKeepsTheContact)
{
    const TestServer &s = server();
    TestContact user(s, "late-user");
    user.presence(s.jid("late-contact"), "subscribe");
    {
        TestProxy proxy(s.port);
        XmppSettings settings = s.settings("late-user");
        settings.port = proxy.port();
        settings.requestTimeLimit = std::chrono::milliseconds(300);
        const auto client = signIn(settings);
        ASSERT_EQ(droppedContacts(*client), QStringList({s.jid("late-contact")}));

        proxy.holdClientData();
        try {
            removeContact(*client, s.jid("late-contact"));
            ADD_FAILURE() << "the removal succeeded without reaching the server";
        } catch (const MessengerError &error) {
            EXPECT_TRUE(error.message().contains("no respondió en 0.3 s"))
                << error.message().toStdString();
            EXPECT_TRUE(error.message().contains(s.jid("late-contact")))
                << error.message().toStdString();
        }
        EXPECT_EQ(droppedContacts(*client), QStringList({s.jid("late-contact")}));
    }
    EXPECT_TRUE(user.roster().contains(s.jid("late-contact")));
}

TEST_F(XmppServerTest, LostConnectionFailsTheRemovalAndSignsOut)
{
    const TestServer &s = server();
    TestContact user(s, "lost-user");
    user.presence(s.jid("lost-contact"), "subscribe");

    TestProxy proxy(s.port);
    XmppSettings settings = s.settings("lost-user");
    settings.port = proxy.port();
    const auto client = signIn(settings);
    const auto service = client->serviceSet()->defaultService();
    ASSERT_EQ(service->signInState(), 2);

    proxy.cutOnClientData();
    try {
        removeContact(*client, s.jid("lost-contact"));
        ADD_FAILURE() << "the removal succeeded over a cut connection";
    } catch (const MessengerError &error) {
        // Whether the cut is met by the removal itself or by an answer to the server just
        // before it depends on what the server sent meanwhile.
        EXPECT_TRUE(error.message().contains("se perdió la conexión", Qt::CaseInsensitive))
            << error.message().toStdString();
    }
    EXPECT_EQ(service->signInState(), MessengerService::SignedOut);
    // A stale roster is not served as if it were current.
    EXPECT_THROW(client->userList(MessengerClient::ContactList), MessengerError);
    EXPECT_TRUE(user.roster().contains(s.jid("lost-contact")));
}

TEST_F(XmppServerTest, ChangesWhileRunningReachTheNextScan)
{
    const TestServer &s = server();
    const auto client = signIn("push-user");
    ASSERT_TRUE(addresses(*client, MessengerClient::ContactList).isEmpty());

    TestContact fan(s, "push-fan");
    fan.presence(s.jid("push-user"), "subscribe");
    EXPECT_TRUE(eventually([&] {
        return addresses(*client, MessengerClient::ReverseList) == QStringList({fan.jid()});
    })) << "the subscription request did not reach the reverse list";

    // The user adds a friend from another client; the friend accepts, then deletes the user.
    TestContact otherClient(s, "push-user");
    TestContact friendOf(s, "push-friend");
    makeMutual(otherClient, friendOf);
    EXPECT_TRUE(eventually([&] {
        return addresses(*client, MessengerClient::ContactList) == QStringList({friendOf.jid()}) &&
               droppedContacts(*client).isEmpty();
    })) << "the roster pushes did not reach the lists: "
        << addresses(*client, MessengerClient::ContactList).join(' ').toStdString() << " / "
        << addresses(*client, MessengerClient::ReverseList).join(' ').toStdString();
    friendOf.removeRosterItem(otherClient.jid());
    EXPECT_TRUE(eventually([&] {
        return droppedContacts(*client) == QStringList({friendOf.jid()});
    })) << "the contact who deleted the user is not listed";
}

TEST_F(XmppServerTest, FailedSignInsSayWhy)
{
    const TestServer &s = server();
    const XmppSettings good = s.settings("sign-user");

    EXPECT_TRUE(
        signInError(good, "not-the-password").contains("rechazó el usuario o la contraseña"));
    EXPECT_TRUE(signInError(s.settings("no-such-user"), s.password)
                    .contains("rechazó el usuario o la contraseña"));

    XmppSettings otherAuthority = good;
    otherAuthority.caFile = s.otherCaFile;
    XmppSettings systemAuthorities = good;
    systemAuthorities.caFile.clear();
    XmppSettings otherName = s.settings("sign-user");
    otherName.jid = "sign-user@wrongname." + s.domain;
    for (const XmppSettings &untrusted : {otherAuthority, systemAuthorities, otherName}) {
        const QString message = signInError(untrusted, s.password);
        EXPECT_TRUE(message.contains("el certificado del servidor no es de confianza"))
            << message.toStdString();
        EXPECT_TRUE(message.contains("ORVALIN_XMPP_CAFILE")) << message.toStdString();
        // The fingerprint lets the user compare the certificate with the one they expect.
        EXPECT_TRUE(QRegularExpression("huella SHA-256 ([0-9A-F]{2}:){31}[0-9A-F]{2}\\)")
                        .match(message)
                        .hasMatch())
            << message.toStdString();
    }

    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    XmppSettings closedPort = good;
    closedPort.port = closed.serverPort();
    closed.close();
    const QString refused = signInError(closedPort, s.password);
    EXPECT_TRUE(refused.contains(
        QStringLiteral("no se pudo conectar con el servidor 127.0.0.1:%1").arg(closedPort.port)))
        << refused.toStdString();

    // Accepts the connection and never says a word.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    XmppSettings silentServer = good;
    silentServer.port = silent.serverPort();
    silentServer.signInTimeLimit = std::chrono::milliseconds(300);
    const QString timedOut = signInError(silentServer, s.password);
    EXPECT_TRUE(timedOut.contains("el servidor no respondió en 0.3 s")) << timedOut.toStdString();

    // Offers to sign in without encryption.
    QTcpServer plain;
    ASSERT_TRUE(plain.listen(QHostAddress::LocalHost));
    QObject::connect(&plain, &QTcpServer::newConnection, &plain, [&plain] {
        QTcpSocket *socket = plain.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
            socket->readAll();
            socket->write("<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
                          "xmlns:stream='http://etherx.jabber.org/streams' id='p' "
                          "from='localhost' version='1.0'><stream:features><mechanisms "
                          "xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>PLAIN</mechanism>"
                          "</mechanisms></stream:features>");
        });
    });
    XmppSettings plainServer = good;
    plainServer.port = plain.serverPort();
    const QString unencrypted = signInError(plainServer, s.password);
    EXPECT_TRUE(unencrypted.contains("no ofrece una conexión cifrada"))
        << unencrypted.toStdString();
    EXPECT_TRUE(unencrypted.contains("nunca inicia sesión sin ella")) << unencrypted.toStdString();

    // The right settings do sign in: the failures above were about what they changed.
    EXPECT_EQ(signIn(good)->serviceSet()->defaultService()->signInState(), 2);
}
