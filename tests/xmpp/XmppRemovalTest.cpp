#include "core/ContactAudit.h"
#include "core/MemoryResultView.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/MessengerUserList.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"
#include "tests/support/DelayRelay.h"
#include "tests/xmpp/TestContact.h"
#include "tests/xmpp/TestServer.h"

#include <QElapsedTimer>
#include <QSet>
#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

// Removals held by the audit go out back to back; each row's outcome is the server's own.

namespace {

class XmppRemovalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        try {
            m_server = &TestServer::instance();
        } catch (const std::exception &error) {
            FAIL() << error.what();
        }
    }

    const TestServer &server() const { return *m_server; }

    // Puts count contacts of the user's own on the roster, none of whom has the user, and
    // returns their addresses; the roster had none of them before.
    QStringList addContacts(TestContact &user, const QString &prefix, int count) const
    {
        QStringList added;
        for (int i = 0; i < count; ++i) {
            const QString jid =
                server().jid(QStringLiteral("%1-%2").arg(prefix).arg(i, 3, 10, QChar('0')));
            user.setRosterItem(jid, QString());
            added.append(jid);
        }
        return added;
    }

    std::unique_ptr<XmppMessengerClient> signIn(const QString &user, quint16 port = 0) const
    {
        XmppSettings settings = server().settings(user);
        if (port != 0)
            settings.port = port;
        TestServerPassword password;
        return std::make_unique<XmppMessengerClient>(settings, password,
                                                     std::make_shared<PlainWaiter>());
    }

    // Scans, ticks every row and removes them as the window does.
    QList<RemovalFailure> removeAll(XmppMessengerClient &client, MemoryResultView &view,
                                    const ContactAudit::RemovalProgress &progress = {}) const
    {
        ContactAudit audit(view);
        audit.BuscaIgn(client);
        for (int row = 1; row <= view.rowCount(); ++row)
            view.setRowChecked(row, true);
        return audit.RemoveChecked(client, progress);
    }

    // A user with count contacts of their own on the roster, signed in through a relay that
    // puts the server 100 ms away.
    struct DistantUser
    {
        DistantUser(const XmppRemovalTest &test, const QString &name, const QString &prefix,
                    int count)
            : user(test.server(), name), contacts(test.addContacts(user, prefix, count)),
              relay(test.server().port, {50ms, 0}), client(test.signIn(name, relay.port()))
        {
        }

        TestContact user;
        QStringList contacts;
        DelayRelay relay;
        std::unique_ptr<XmppMessengerClient> client;
    };

    static QStringList rows(const MemoryResultView &view)
    {
        QStringList keys;
        for (int row = 1; row <= view.rowCount(); ++row)
            keys.append(view.rowKey(row));
        return keys;
    }

private:
    const TestServer *m_server = nullptr;
};

} // namespace

TEST_F(XmppRemovalTest, RemovalsGoOutTogetherAndEachRowEndsAsTheServerSays)
{
    // More contacts than may wait for an answer at once, through a 100 ms round trip.
    DistantUser distant(*this, "pipe-user", "pipe", 45);
    MemoryResultView view;
    QElapsedTimer clock;
    clock.start();
    const QList<RemovalFailure> failures = removeAll(*distant.client, view);
    // One removal after another would take 45 round trips.
    EXPECT_LT(clock.elapsed(), 45 * 100) << "the removals waited for each other";
    EXPECT_TRUE(failures.isEmpty()) << failures.first().reason.toStdString();
    EXPECT_EQ(view.rowCount(), 0);
    EXPECT_TRUE(distant.user.roster().isEmpty())
        << "still on the server: " << distant.user.roster().keys().join(' ').toStdString();
    EXPECT_TRUE(distant.client->userList(MessengerClient::ContactList)->count() == 0);
}

TEST_F(XmppRemovalTest, ARefusalAmongHeldRemovalsKeepsTheServersReasonAndOnlyThatRow)
{
    TestContact user(server(), "refuse-user");
    const QStringList contacts = addContacts(user, "refuse", 6);
    const auto client = signIn("refuse-user");
    // Not an address at all: refused by every server, in the middle of the group.
    const QString invalid = server().jid("stranger@");
    client->setHoldingRemovals(true);
    const auto list = client->userList(MessengerClient::ContactList);
    for (int i = 0; i < contacts.size(); ++i) {
        if (i == 3)
            list->remove(MessengerUser(invalid, QString()));
        list->remove(MessengerUser(contacts.at(i), QString()));
    }
    const QHash<QString, QString> refused = client->commitRemovals();
    client->setHoldingRemovals(false);
    ASSERT_EQ(refused.keys(), QStringList({invalid}));
    EXPECT_TRUE(refused.value(invalid).contains("rechazó")) << refused.value(invalid).toStdString();
    EXPECT_TRUE(refused.value(invalid).contains(invalid)) << refused.value(invalid).toStdString();
    EXPECT_TRUE(user.roster().isEmpty());
    EXPECT_EQ(client->userList(MessengerClient::ContactList)->count(), 0);
}

TEST_F(XmppRemovalTest, CancelSendsNoMoreAndWaitsForWhatWasSent)
{
    DistantUser distant(*this, "stop-user", "stop", 30);
    MemoryResultView view;
    const QList<RemovalFailure> failures =
        removeAll(*distant.client, view, [](int done, int) { return done < 10; });
    EXPECT_TRUE(failures.isEmpty()) << failures.first().reason.toStdString();
    // The ten sent are gone, the rest stay listed and on the server.
    EXPECT_EQ(rows(view), distant.contacts.mid(10));
    EXPECT_EQ(distant.user.roster().keys(), distant.contacts.mid(10));
}

TEST_F(XmppRemovalTest, ALostConnectionReportsEveryRowAsTheServerKeptIt)
{
    DistantUser distant(*this, "drop-user", "drop", 40);
    MemoryResultView view;
    const QList<RemovalFailure> failures = removeAll(*distant.client, view, [&](int done, int) {
        // The connection breaks once the removals sent so far have reached the server and
        // before its answers are back; the server stays, and a fresh sign-in reads what it
        // kept of the removals whose answers were lost.
        if (done == 20) {
            std::this_thread::sleep_for(75ms);
            distant.relay.cut();
        }
        return true;
    });
    const QMap<QString, QString> onServer = distant.user.roster();
    QSet<QString> failed;
    for (const RemovalFailure &failure : failures) {
        failed.insert(failure.emailAddress);
        EXPECT_FALSE(failure.reason.isEmpty());
        EXPECT_FALSE(failure.reason.startsWith("No se sabe")) << failure.reason.toStdString();
    }
    const QStringList listed = rows(view);
    for (const QString &contact : distant.contacts) {
        const bool reportedRemoved = !listed.contains(contact);
        EXPECT_NE(reportedRemoved, failed.contains(contact)) << contact.toStdString();
        // Neither removed and listed, nor kept and gone from the list.
        EXPECT_NE(reportedRemoved, onServer.contains(contact))
            << contact.toStdString()
            << (reportedRemoved ? " reported removed but still there" : " listed but gone");
    }
    // Every row after the cut is reported, each with why.
    EXPECT_GE(failed.size(), 20);
    EXPECT_TRUE(onServer.contains(distant.contacts.last()));
    EXPECT_GE(distant.relay.acceptedCount(), 2) << "the roster was not read again after the loss";
}

TEST_F(XmppRemovalTest, AServerGoneForGoodLeavesTheUnansweredRowsListedAsUnknown)
{
    DistantUser distant(*this, "gone-user", "gone", 30);
    MemoryResultView view;
    bool cut = false;
    const QList<RemovalFailure> failures = removeAll(*distant.client, view, [&](int done, int) {
        // After the last removal reached the server, before its answers came back.
        if (done == 30 && !cut) {
            std::this_thread::sleep_for(75ms);
            distant.relay.cutForGood();
            cut = true;
        }
        return true;
    });
    const QMap<QString, QString> onServer = distant.user.roster();
    int unknown = 0;
    for (const RemovalFailure &failure : failures) {
        if (failure.reason.startsWith("No se sabe si se pudo quitar"))
            ++unknown;
        EXPECT_TRUE(rows(view).contains(failure.emailAddress)) << failure.reason.toStdString();
    }
    // Rows whose fate cannot be told stay listed; none is said removed while on the server.
    EXPECT_GT(unknown, 0);
    for (const QString &contact : distant.contacts) {
        if (!rows(view).contains(contact)) {
            EXPECT_FALSE(onServer.contains(contact)) << contact.toStdString();
        }
    }
}
