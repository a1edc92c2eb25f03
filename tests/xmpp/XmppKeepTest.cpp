#include "core/ContactAudit.h"
#include "core/HistoryJournal.h"
#include "core/MemoryResultView.h"
#include "platform/history/HistoryStore.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"
#include "tests/xmpp/TestContact.h"
#include "tests/xmpp/TestServer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// The keep guard sits above every client: a kept contact stays on the server's roster.

TEST(XmppKeepTest, AKeptContactStaysOnTheServersRosterWhileTheOthersGo)
{
    const TestServer *s = nullptr;
    try {
        s = &TestServer::instance();
    } catch (const std::exception &error) {
        FAIL() << error.what();
    }
    TestContact user(*s, "keep-user");
    user.presence(s->jid("keep-friend"), "subscribe");
    user.presence(s->jid("keep-other"), "subscribe");

    TestServerPassword password;
    XmppMessengerClient client(s->settings("keep-user"), password, std::make_shared<PlainWaiter>());
    const QString account = client.serviceSet()->defaultService()->signInName();
    QTemporaryDir dir;
    const QString path = dir.filePath("h.sqlite");
    HistoryStore(path).keep(account, s->jid("keep-friend"), QDateTime::currentDateTimeUtc());

    QStringList warnings;
    HistoryJournal journal(path, account, "xmpp", [&](const QString &w) { warnings.append(w); });
    MemoryResultView view;
    ContactAudit audit(view);
    audit.setJournal(&journal);
    audit.BuscaIgn(client);
    ASSERT_EQ(view.rowCount(), 2);
    view.setRowChecked(1, true);
    view.setRowChecked(2, true);

    const QList<RemovalFailure> failures = audit.RemoveChecked(client);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures.first().emailAddress, s->jid("keep-friend"));
    EXPECT_TRUE(failures.first().kept);
    EXPECT_EQ(view.rowCount(), 1);
    EXPECT_TRUE(view.isRowChecked(1));
    EXPECT_EQ(user.roster().keys(), QStringList({s->jid("keep-friend")}));
    EXPECT_TRUE(warnings.isEmpty());
    ASSERT_EQ(HistoryStore(path).removals(account).size(), 1);
}
