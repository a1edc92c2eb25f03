#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"
#include "tests/xmpp/TestNameServer.h"
#include "tests/xmpp/TestServer.h"

#include <gtest/gtest.h>

// The server found the way a user's own domain is found: its service records, from a name
// server of the test's own that knows the server under another name and port than the domain,
// at two addresses of which only the second answers.
TEST(XmppResolveServerTest, SignsInWhereTheDomainsServiceRecordsSay)
{
    const TestServer &server = TestServer::instance();
    TestNameServer names(TestNameServer::Behaviour::Answering);
    if (!names.skipReason().isEmpty())
        GTEST_SKIP() << names.skipReason().toStdString();
    const QString target = QStringLiteral("xmpp-in.") + server.domain;
    names.addService(QStringLiteral("_xmpp-client._tcp.") + server.domain, target, server.port);
    // The first address refuses the connection (the server listens on 127.0.0.1 only): the
    // sign-in goes on to the next.
    names.addAddress(target, QStringLiteral("127.0.0.2"));
    names.addAddress(target, QStringLiteral("127.0.0.1"));

    XmppSettings settings = server.settings(QStringLiteral("resolve-user"));
    settings.host.clear();
    settings.port = 0;
    settings.nameServer = names.address();
    settings.nameServerPort = names.port();
    TestServerPassword password;
    // The certificate names the domain, not the service's host: the sign-in checks it against
    // the domain, as it must.
    XmppMessengerClient client(settings, password, std::make_shared<PlainWaiter>());
    const auto service = client.serviceSet()->defaultService();
    EXPECT_EQ(service->signInState(), 2);
    EXPECT_EQ(service->signInName(), server.jid(QStringLiteral("resolve-user")));
    EXPECT_GE(names.queries(), 2); // the service, then its host
}
