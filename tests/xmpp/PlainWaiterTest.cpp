#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"
#include "platform/messenger/xmpp/XmppSettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class TypedPassword : public PasswordSource
{
public:
    QByteArray password(const QString &) override { return "clave"; }
};

} // namespace

// What the command line relies on: the wait handles none of the program's events, so nothing
// queued on the caller's thread runs in the middle of a call, and the call's own time limit
// still ends it.
TEST(PlainWaiterTest, WaitsForTheWorkAloneAndReturnsWhenItSaysItIsDone)
{
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    int polls = 0;
    PlainWaiter().wait([&](std::chrono::milliseconds slice) {
        EXPECT_GT(slice.count(), 0);
        return ++polls == 3;
    });
    EXPECT_EQ(polls, 3);
    EXPECT_FALSE(ran);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}

TEST(PlainWaiterTest, ASignInToAServerThatNeverAnswersEndsAtItsTimeLimit)
{
    // The system accepts the connection; nobody on this thread ever answers it.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    XmppSettings settings;
    settings.jid = QStringLiteral("ana@localhost");
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = silent.serverPort();
    settings.signInTimeLimit = std::chrono::milliseconds(300);
    settings.requestTimeLimit = std::chrono::milliseconds(100);
    TypedPassword password;
    bool ran = false;
    // Tied to a local object, so that it never runs after the test, in a later test's events.
    QObject context;
    QTimer::singleShot(0, &context, [&ran] { ran = true; });

    QElapsedTimer clock;
    clock.start();
    try {
        XmppMessengerClient client(settings, password, std::make_shared<PlainWaiter>());
        ADD_FAILURE() << "signed in to a server that never answered";
    } catch (const MessengerError &error) {
        EXPECT_TRUE(error.message().contains(u"el servidor no respondió en 0.3 s"))
            << error.message().toStdString();
    }
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(ran);
}
