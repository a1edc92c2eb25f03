#pragma once

#include "platform/messenger/xmpp/XmppConnection.h"
#include "platform/messenger/xmpp/XmppSettings.h"

#include <QObject>
#include <QTimer>
#include <memory>

class MessengerClient;
class XmppSessionThread;

// A sign-in that runs on its own thread while the caller's event loop goes on: it reports each
// step, ends with succeeded() or failed(), and cancel() stops it at any step at once. Lives on
// the thread that starts it; its signals come there.
class XmppSignIn : public QObject
{
    Q_OBJECT

public:
    explicit XmppSignIn(QObject *parent = nullptr);
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
    void finish(quint64 attempt, const QString &failure);

    std::shared_ptr<XmppSessionThread> m_session;
    std::shared_ptr<XmppSessionThread> m_signedIn;
    QTimer m_deadline;
    // Tells apart the reports of an attempt that was cancelled from those of the next one.
    quint64 m_attempt = 0;
};
