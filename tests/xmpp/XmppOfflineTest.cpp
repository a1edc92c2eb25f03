#include "core/ContactAudit.h"
#include "core/MemoryResultView.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"
#include "tests/xmpp/TestContact.h"
#include "tests/xmpp/TestServer.h"

#include <gtest/gtest.h>

// What a scan and a removal must leave alone on every server: a contact who asked again for the
// user's presence while the user was away, and the messages kept for the user meanwhile.

TEST(XmppOfflineTest, RequestsKeptWhileAwayCountAndMessagesKeptWhileAwayStay)
{
    const TestServer *s = nullptr;
    try {
        s = &TestServer::instance();
    } catch (const std::exception &error) {
        FAIL() << error.what();
    }
    TestContact asker(*s, "off-friend");
    TestContact writer(*s, "off-writer");
    {
        TestContact user(*s, "off-user");
        user.presence(asker.jid(), "subscribe");
        asker.presence(user.jid(), "subscribed");
        asker.presence(user.jid(), "subscribe");
        user.presence(asker.jid(), "subscribed");
        // The contact stops receiving the user's presence: subscription "to" on the user's side.
        asker.presence(user.jid(), "unsubscribe");
        user.presence(s->jid("off-gone"), "subscribe");
        ASSERT_EQ(user.roster().value(asker.jid()), "to");
    }
    // The user has signed out: the server keeps both for the next sign-in.
    asker.presence(s->jid("off-user"), "subscribe");
    writer.sendMessage(s->jid("off-user"), "¿Sigues ahí?");

    {
        TestServerPassword password;
        XmppMessengerClient client(s->settings("off-user"), password,
                                   std::make_shared<PlainWaiter>());
        EXPECT_EQ(client.scanWarning(), QString())
            << "the " << s->software.toStdString() << " fixture should offer a safe way";
        MemoryResultView view;
        ContactAudit audit(view);
        audit.BuscaIgn(client);
        ASSERT_EQ(view.rowCount(), 1) << "the contact who asked again is listed";
        EXPECT_EQ(view.rowKey(1), s->jid("off-gone"));
        view.setRowChecked(1, true);
        EXPECT_TRUE(audit.RemoveChecked(client).isEmpty());
        EXPECT_EQ(view.rowCount(), 0);
    }

    TestContact user(*s, "off-user");
    EXPECT_EQ(user.roster().value(asker.jid()), "to");
    EXPECT_FALSE(user.roster().contains(s->jid("off-gone")));
    EXPECT_EQ(user.comeOnline(), QStringList({"¿Sigues ahí?"}))
        << "the message kept while the user was away did not reach an ordinary client";
}
