#include "platform/messenger/xmpp/XmppResolver.h"
#include "platform/messenger/xmpp/XmppSettings.h"
#include "tests/xmpp/TestNameServer.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

using Endpoint = XmppResolver::Endpoint;
using Endpoints = QList<Endpoint>;

class XmppResolverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!server.skipReason().isEmpty())
            GTEST_SKIP() << server.skipReason().toStdString();
    }

    XmppSettings account(const QString &jid) const
    {
        XmppSettings settings;
        settings.jid = jid;
        settings.nameServer = server.address();
        settings.nameServerPort = server.port();
        return settings;
    }

    static std::optional<Endpoints> resolve(const XmppSettings &settings, int limit = 5000)
    {
        return XmppResolver(settings, [] { return false; }).resolve(QDeadlineTimer(limit));
    }

    TestNameServer server{TestNameServer::Behaviour::Answering};
};

} // namespace

TEST_F(XmppResolverTest, TheServiceRecordsSayWhereTheServerIs)
{
    server.addService("_xmpp-client._tcp.ejemplo.test", "xmpp.ejemplo.test", 5999);
    server.addAddress("xmpp.ejemplo.test", "127.0.0.7");
    server.addAddress("ejemplo.test", "127.0.0.8"); // the domain's own, not the service's
    EXPECT_EQ(resolve(account("ana@ejemplo.test")), Endpoints({{"127.0.0.7", 5999}}));
}

TEST_F(XmppResolverTest, WithoutServiceRecordsTheDomainItselfOnTheUsualPort)
{
    server.addAddress("sinservicio.test", "127.0.0.9");
    EXPECT_EQ(resolve(account("ana@sinservicio.test")),
              Endpoints({{"127.0.0.9", XmppResolver::defaultPort}}));
    // Nothing at all: no address to try, which the sign-in reports as a server not found.
    EXPECT_EQ(resolve(account("ana@nadie.test")), Endpoints());
}

TEST_F(XmppResolverTest, ADomainThatSaysItHasNoServiceHasNoAddress)
{
    server.addService("_xmpp-client._tcp.cerrado.test", ".", 0);
    server.addAddress("cerrado.test", "127.0.0.10");
    EXPECT_EQ(resolve(account("ana@cerrado.test")), Endpoints());
}

TEST_F(XmppResolverTest, AHostOrPortInTheAccountSkipsTheServiceRecords)
{
    server.addService("_xmpp-client._tcp.ejemplo.test", "xmpp.ejemplo.test", 5999);
    server.addAddress("xmpp.ejemplo.test", "127.0.0.7");
    server.addAddress("ejemplo.test", "127.0.0.8");
    server.addAddress("otro.test", "127.0.0.11");

    XmppSettings numeric = account("ana@ejemplo.test");
    numeric.host = "127.0.0.12";
    EXPECT_EQ(resolve(numeric), Endpoints({{"127.0.0.12", XmppResolver::defaultPort}}));
    EXPECT_EQ(server.queries(), 0); // a numeric host needs no look-up at all

    XmppSettings named = account("ana@ejemplo.test");
    named.host = "otro.test";
    named.port = 5400;
    EXPECT_EQ(resolve(named), Endpoints({{"127.0.0.11", 5400}}));

    XmppSettings portOnly = account("ana@ejemplo.test");
    portOnly.port = 5401;
    EXPECT_EQ(resolve(portOnly), Endpoints({{"127.0.0.8", 5401}}));
}

TEST_F(XmppResolverTest, WithoutANameServerOfItsOwnTheSystemsLookUpKnowsTheHostsFile)
{
    XmppSettings settings;
    settings.jid = "ana@localhost";
    settings.host = "localhost";
    settings.port = 5402;
    const std::optional<Endpoints> found = resolve(settings);
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(found->contains(Endpoint{"127.0.0.1", 5402}) ||
                found->contains(Endpoint{"::1", 5402}));
}

TEST(XmppResolverSilentTest, ANameServerThatNeverAnswersEndsTheWaitAtTheStopOrTheDeadline)
{
    // The look-ups left waiting on the silent server end soon after the test: the program's
    // end waits for them.
    qputenv("RES_OPTIONS", "timeout:2 attempts:1");
    TestNameServer silent(TestNameServer::Behaviour::Silent);
    if (!silent.skipReason().isEmpty())
        GTEST_SKIP() << silent.skipReason().toStdString();
    XmppSettings settings;
    settings.jid = "ana@mudo.test";
    settings.nameServer = silent.address();
    settings.nameServerPort = silent.port();

    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(XmppResolver(settings, [] { return false; }).resolve(QDeadlineTimer(200)),
              std::nullopt);
    EXPECT_GT(silent.queries(), 0);
    // Well before the system's resolver would give up on the server, seconds later.
    EXPECT_LT(clock.elapsed(), 2000);

    clock.restart();
    const auto stop = [&clock] { return clock.elapsed() > 100; };
    EXPECT_EQ(XmppResolver(settings, stop).resolve(QDeadlineTimer(20000)), std::nullopt);
    EXPECT_LT(clock.elapsed(), 2000);
}
