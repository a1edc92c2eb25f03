#pragma once

#include "platform/messenger/xmpp/XmppConnection.h"
#include "platform/messenger/xmpp/XmppSessionThread.h"
#include "platform/messenger/xmpp/XmppSettings.h"

#include <QObject>
#include <QTimer>
#include <memory>

class MessengerClient;
class MessengerWaiter;

// A sign-in that runs on its own thread while the caller's event loop goes on: it reports each
// step, ends with succeeded() or failed(), and cancel() stops it at any step at once. Lives on
// the thread that starts it; its signals come there.
class XmppSignIn : public QObject
{
    Q_OBJECT

public:
    // waiter: how the signed-in client's later calls wait.
    explicit XmppSignIn(std::shared_ptr<const MessengerWaiter> waiter, QObject *parent = nullptr);
    ~XmppSignIn() override;

    // Starts signing in; wipes password. A sign-in still running is cancelled first.
    void start(const XmppSettings &settings, QByteArray &password);
    // Stops the running sign-in without a word: no signal follows.
    void cancel();
    bool isRunning() const { return m_session != nullptr; }

    // After succeeded(): the client on the signed-in session.
    std::unique_ptr<MessengerClient> takeClient();

    // The words shown for each step.
    static QString stepText(XmppConnection::Step step);

Q_SIGNALS:
    void stepChanged(const QString &text);
    void succeeded();
    void failed(const QString &message);

private:
    // Reads what the reply holds; queued here by the reply at each change.
    void collect();
    void stop();

    std::shared_ptr<const MessengerWaiter> m_waiter;
    std::shared_ptr<XmppSessionThread> m_session;
    std::shared_ptr<XmppSessionThread::SignInReply> m_reply;
    std::shared_ptr<XmppSessionThread> m_signedIn;
    QTimer m_deadline;
};
