#pragma once

#include "platform/messenger/MessengerWaiter.h"
#include "platform/messenger/xmpp/XmppConnection.h"
#include "platform/messenger/xmpp/XmppReply.h"
#include "platform/messenger/xmpp/XmppSettings.h"
#include "platform/messenger/xmpp/XmppSignInResult.h"

#include <QString>
#include <functional>
#include <memory>
#include <thread>

class XmppSession;

// One XmppSession in a thread of its own, so that the steps that hold the library (the name
// look-up's waits, the TLS handshake) and every wait for the server happen off the caller's
// thread. Between calls the thread handles what the server pushes.
//
// Every piece of work goes to the thread as a task and comes back as an XmppReply: the sign-in
// as a SignInReply, each call as the reply of its result. The blocking calls wait as the
// caller's MessengerWaiter says, and enforce their time limit meanwhile.
class XmppSessionThread
{
public:
    using SignInReply = XmppReply<XmppSignInResult, XmppConnection::Step>;

    explicit XmppSessionThread(const XmppSettings &settings);
    // Lets the thread sign out and end; when the server keeps it waiting, interrupts it, and
    // leaves it to end on its own rather than make the caller wait.
    ~XmppSessionThread();
    Q_DISABLE_COPY_MOVE(XmppSessionThread)

    // Starts signing in with password (wiped); the reply reports each step, then what the
    // sign-in found or why it failed (XmppCancelled when cancelled). The caller enforces
    // signInDeadline() with timeOut(): a blocked handshake cannot watch the clock itself.
    std::shared_ptr<SignInReply> startSignIn(QByteArray &password);
    // Signs in and waits as waiter says; throws MessengerError saying why it could not.
    void signIn(QByteArray &password, const MessengerWaiter &waiter);
    // How long a sign-in may take in all: the connection, then the roster and the nickname.
    std::chrono::milliseconds signInDeadline() const;

    // Any thread. Stops the current call and every later one.
    void cancel();
    void timeOut();

    // False once the connection is lost, whenever that is noticed.
    bool isSignedIn() const;
    // The roster's revision after the last call, or the last look at what the server pushed
    // (at most 100 ms ago while no call runs): while it stays the same, so do the roster's lists.
    quint64 rosterRevision() const;
    // Valid once signed in: what the sign-in found.
    const XmppSignInResult &account() const;

    // Runs task on the session's thread and gives back what it returns, waiting as waiter
    // says; what task throws is thrown here. task must not keep references to the caller's
    // data: it may copy what it needs from the session (the roster's lists are shared, not
    // copied, until the roster changes).
    template <typename Result>
    Result call(const MessengerWaiter &waiter, std::function<Result(XmppSession &)> task);

private:
    struct Shared;
    void post(std::function<void(XmppSession &)> task);
    void await(const MessengerWaiter &waiter, const MessengerWaiter::Poll &finished,
               std::chrono::milliseconds deadline);
    // After each task, before its reply is given: whether the session is still signed in.
    static void noteState(Shared &shared, const XmppSession &session);

    XmppSettings m_settings;
    std::shared_ptr<Shared> m_shared;
    std::shared_ptr<SignInReply> m_signIn;
    std::thread m_thread;
};

template <typename Result>
Result XmppSessionThread::call(const MessengerWaiter &waiter,
                               std::function<Result(XmppSession &)> task)
{
    auto reply = std::make_shared<XmppReply<Result>>();
    post([shared = m_shared.get(), reply, task = std::move(task)](XmppSession &session) {
        reply->run([&] {
            struct Note
            {
                Shared &shared;
                const XmppSession &session;
                ~Note() { noteState(shared, session); }
            } note{*shared, session};
            return task(session);
        });
    });
    await(
        waiter, [&](std::chrono::milliseconds slice) { return reply->waitFor(slice); },
        std::chrono::milliseconds::max());
    return reply->result();
}
