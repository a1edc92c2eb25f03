#pragma once

#include "platform/messenger/xmpp/XmppConnection.h"
#include "platform/messenger/xmpp/XmppRoster.h"
#include "platform/messenger/xmpp/XmppSettings.h"

#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <thread>

class XmppSession;

// One XmppSession in a thread of its own, so that the library's blocking steps (name lookup,
// TLS handshake) and every wait for the server happen off the user-interface thread. Between
// calls the thread handles what the server pushes.
//
// The blocking calls below wait for the thread; on the application's main thread they keep
// handling Qt's events meanwhile (repaints and timers, no user input: a click could start
// another call on this session, or close the window that owns it, in the middle of this one).
// The Messenger interface the windows use is synchronous, so this is where the wait goes.
class XmppSessionThread
{
public:
    using DoneHandler = std::function<void(std::exception_ptr failure)>;

    explicit XmppSessionThread(const XmppSettings &settings);
    // Lets the thread sign out and end; when the server keeps it waiting, interrupts it, and
    // leaves it to end on its own rather than make the caller wait.
    ~XmppSessionThread();
    Q_DISABLE_COPY_MOVE(XmppSessionThread)

    // Starts signing in with password (wiped). progress and done are called on the session's
    // thread; done gets the failure, or nullptr once signed in. The caller enforces
    // signInDeadline() with timeOut(): a blocked handshake cannot watch the clock itself.
    void startSignIn(QByteArray &password, XmppConnection::ProgressHandler progress,
                     DoneHandler done);
    // Signs in and waits; throws MessengerError saying why it could not.
    void signIn(QByteArray &password);
    // How long a sign-in may take in all: the connection, then the roster and the nickname.
    std::chrono::milliseconds signInDeadline() const;

    // Any thread. Stops the current call and every later one.
    void cancel();
    void timeOut();

    bool isSignedIn() const;
    // Valid once signed in.
    QString signInName() const;
    QString displayName() const;
    // What the sign-in could not do safely on this server, to be told once; empty when nothing.
    QString notice() const;
    // Calls read with the roster, on the session's thread, after handling what the server sent
    // meanwhile; read copies what it needs (the roster's lists are shared, not copied, until
    // the roster changes).
    void readRoster(const std::function<void(const XmppRoster &)> &read);
    // See XmppSession::removeContact.
    void removeContact(const QString &jid);

private:
    struct Shared;
    void post(std::function<void(XmppSession &)> task);
    void call(const std::function<void(XmppSession &)> &task,
              std::chrono::milliseconds deadline = std::chrono::milliseconds::max());

    XmppSettings m_settings;
    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};
