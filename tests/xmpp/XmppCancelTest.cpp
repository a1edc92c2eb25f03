#include "platform/messenger/MessengerError.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/xmpp/XmppCancelled.h"
#include "platform/messenger/xmpp/XmppSessionThread.h"
#include "tests/xmpp/StallingServer.h"
#include "tests/xmpp/TestNameServer.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

// Cancelar and the time limit at each step of a sign-in where a server stops answering. The
// bounds are generous, for a loaded machine: they only say that the sign-in ended long before
// the step would have ended by itself (never, or seconds later); the figures themselves are
// measured in bench/.

using namespace std::chrono_literals;

namespace {

bool eventually(const std::function<bool()> &done, int limit = 10000)
{
    const QDeadlineTimer deadline(limit);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
    return true;
}

XmppSettings reaching(quint16 port)
{
    XmppSettings settings;
    settings.jid = QStringLiteral("ana@localhost");
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = port;
    return settings;
}

XmppSettings throughSilentNameServer(const TestNameServer &server)
{
    XmppSettings settings;
    settings.jid = QStringLiteral("ana@mudo.test");
    settings.nameServer = server.address();
    settings.nameServerPort = server.port();
    return settings;
}

using Step = XmppConnection::Step;

// Starts a sign-in, waits for reached() and for the step shown to the user, then cancels: the
// sign-in ends as cancelled. Gives how long it took from the cancel, or -1 when it did not end.
qint64 cancelOnceReached(const XmppSettings &settings, const std::function<bool()> &reached,
                         Step shown)
{
    XmppSessionThread session(settings);
    QByteArray password = "clave";
    const auto reply = session.startSignIn(password);
    EXPECT_TRUE(eventually(reached)) << "the sign-in never reached the step";
    std::vector<Step> steps;
    EXPECT_TRUE(eventually([&] {
        for (const Step step : reply->takeProgress())
            steps.push_back(step);
        return !steps.empty() && steps.back() == shown;
    })) << "the step was not shown";
    EXPECT_FALSE(reply->isFinished());
    QElapsedTimer clock;
    clock.start();
    session.cancel();
    if (!reply->waitFor(10s))
        return -1;
    const qint64 elapsed = clock.elapsed();
    EXPECT_THROW(reply->result(), XmppCancelled);
    return elapsed;
}

// Signs in with a time limit of 0.3 s, and far longer for each request: the sign-in ends at
// its own limit, not at the sum. Gives the failure and how long the sign-in took.
std::pair<QString, qint64> timeOut(XmppSettings settings)
{
    settings.signInTimeLimit = 300ms;
    settings.requestTimeLimit = 5s;
    XmppSessionThread session(settings);
    QByteArray password = "clave";
    QElapsedTimer clock;
    clock.start();
    try {
        session.signIn(password, PlainWaiter());
    } catch (const MessengerError &error) {
        return {error.message(), clock.elapsed()};
    }
    ADD_FAILURE() << "signed in";
    return {};
}

} // namespace

TEST(XmppCancelTest, ANameServerThatNeverAnswers)
{
    // The look-ups left waiting on the silent server end soon after the test: the program's
    // end waits for them.
    qputenv("RES_OPTIONS", "timeout:2 attempts:1");
    TestNameServer silent(TestNameServer::Behaviour::Silent);
    if (!silent.skipReason().isEmpty())
        GTEST_SKIP() << silent.skipReason().toStdString();
    const XmppSettings settings = throughSilentNameServer(silent);

    const qint64 cancelled = cancelOnceReached(
        settings, [&] { return silent.queries() > 0; }, Step::Connecting);
    EXPECT_GE(cancelled, 0);
    EXPECT_LT(cancelled, 1500);

    const auto [message, elapsed] = timeOut(settings);
    EXPECT_TRUE(message.contains(u"el servidor no respondió en 0.3 s")) << message.toStdString();
    EXPECT_LT(elapsed, 1800);
}

TEST(XmppCancelTest, AConnectionThatIsNeverTaken)
{
    StallingServer full(StallingServer::Step::TcpConnect);
    const XmppSettings settings = reaching(full.port());
    QElapsedTimer started;
    started.start();
    const qint64 cancelled = cancelOnceReached(
        settings, [&] { return started.elapsed() > 200; }, Step::Connecting);
    EXPECT_GE(cancelled, 0);
    EXPECT_LT(cancelled, 1500);

    const auto [message, elapsed] = timeOut(settings);
    EXPECT_TRUE(message.contains(u"el servidor no respondió en 0.3 s")) << message.toStdString();
    EXPECT_LT(elapsed, 1800);
}

TEST(XmppCancelTest, ATlsHandshakeTheServerNeverAnswers)
{
    {
        StallingServer stalling(StallingServer::Step::TlsHandshake);
        const qint64 cancelled = cancelOnceReached(
            reaching(stalling.port()), [&] { return stalling.reached(); },
            Step::CheckingCertificate);
        EXPECT_GE(cancelled, 0);
        EXPECT_LT(cancelled, 1500);
        // The connection is really dropped, not left open behind the cancelled sign-in.
        EXPECT_TRUE(eventually([&] { return stalling.clientGone(); }, 5000));
    }
    StallingServer stalling(StallingServer::Step::TlsHandshake);
    const auto [message, elapsed] = timeOut(reaching(stalling.port()));
    EXPECT_TRUE(stalling.reached());
    EXPECT_TRUE(message.contains(u"el servidor no respondió en 0.3 s")) << message.toStdString();
    EXPECT_LT(elapsed, 1800);
    EXPECT_TRUE(eventually([&] { return stalling.clientGone(); }, 5000));
}

TEST(XmppCancelTest, AnAuthenticationTheServerNeverAnswers)
{
    {
        StallingServer stalling(StallingServer::Step::Sasl);
        XmppSettings settings = reaching(stalling.port());
        settings.caFile = stalling.caFile();
        const qint64 cancelled = cancelOnceReached(
            settings, [&] { return stalling.reached(); }, Step::CheckingCertificate);
        EXPECT_GE(cancelled, 0);
        EXPECT_LT(cancelled, 1500);
        EXPECT_TRUE(eventually([&] { return stalling.clientGone(); }, 5000));
    }
    StallingServer stalling(StallingServer::Step::Sasl);
    XmppSettings settings = reaching(stalling.port());
    settings.caFile = stalling.caFile();
    const auto [message, elapsed] = timeOut(settings);
    EXPECT_TRUE(stalling.reached());
    EXPECT_TRUE(message.contains(u"el servidor no respondió en 0.3 s")) << message.toStdString();
    EXPECT_LT(elapsed, 1800);
}
