#include "platform/messenger/xmpp/XmppCancelled.h"
#include "platform/messenger/xmpp/XmppInterrupt.h"
#include "platform/messenger/xmpp/XmppSession.h"
#include "tests/xmpp/TestProxy.h"
#include "tests/xmpp/TestServer.h"

#include <QElapsedTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

// Cancelar while the sign-in waits for the roster of a real server, which the relay keeps from
// ever hearing the request. The bound is generous: it only says the wait ended long before the
// request's own time limit.
TEST(XmppCancelServerTest, CancelEndsTheWaitForTheRoster)
{
    const TestServer &server = TestServer::instance();
    TestProxy proxy(server.port);
    XmppSettings settings = server.settings(QStringLiteral("cancel-user"));
    settings.port = proxy.port();
    settings.requestTimeLimit = std::chrono::seconds(20);
    const auto interrupt = std::make_shared<XmppInterrupt>();
    XmppSession session(settings, interrupt);

    std::atomic<bool> reading = false;
    QElapsedTimer sinceCancel;
    std::thread canceller([&] {
        while (!reading)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        sinceCancel.start();
        interrupt->interrupt(XmppInterrupt::Reason::Cancelled);
    });
    QByteArray password = server.password;
    // Called on this thread right before the roster is asked for: nothing it sends from here
    // on reaches the server.
    const auto progress = [&](XmppConnection::Step step) {
        if (step == XmppConnection::Step::ReadingContacts) {
            proxy.holdClientData();
            reading = true;
        }
    };
    EXPECT_THROW(session.signIn(password, progress), XmppCancelled);
    const qint64 elapsed = sinceCancel.isValid() ? sinceCancel.elapsed() : -1;
    reading = true; // a sign-in that failed earlier still lets the canceller end
    canceller.join();
    EXPECT_GE(elapsed, 0) << "the sign-in ended before the cancel";
    EXPECT_LT(elapsed, 1500);
    EXPECT_FALSE(session.isSignedIn());
}
