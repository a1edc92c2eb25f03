#include "platform/messenger/xmpp/XmppSessionThread.h"

#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppInterrupt.h"
#include "platform/messenger/xmpp/XmppSession.h"

#include <QDeadlineTimer>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>

using namespace std::chrono_literals;

// What the thread and its owner share. The thread keeps it alive, so that a thread left to end
// on its own never reaches freed memory.
struct XmppSessionThread::Shared
{
    explicit Shared(const XmppSettings &settings)
        : interrupt(std::make_shared<XmppInterrupt>()),
          session(std::make_unique<XmppSession>(settings, interrupt))
    {
    }

    void run()
    {
        for (;;) {
            std::function<void(XmppSession &)> task;
            {
                std::unique_lock lock(mutex);
                wake.wait_for(lock, 100ms, [this] { return stopping || !tasks.empty(); });
                if (stopping)
                    break;
                if (!tasks.empty()) {
                    task = std::move(tasks.front());
                    tasks.pop_front();
                }
            }
            if (task) {
                task(*session);
            } else if (signedIn) {
                session->processPending();
                rosterRevision = session->rosterRevision();
            }
            signedIn = signedIn && session->isSignedIn();
        }
        // Signs out here, on the thread that ran the library.
        session.reset();
        ended.set_value();
    }

    std::shared_ptr<XmppInterrupt> interrupt;
    std::unique_ptr<XmppSession> session; // used on the thread only
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::function<void(XmppSession &)>> tasks; // guarded by mutex
    bool stopping = false;                                // guarded by mutex
    // The connection's state, which may change between calls; read by the owner at any time.
    std::atomic<bool> signedIn = false;
    std::atomic<quint64> rosterRevision = 0;
    std::promise<void> ended;
};

XmppSessionThread::XmppSessionThread(const XmppSettings &settings)
    : m_settings(settings), m_shared(std::make_shared<Shared>(settings))
{
    m_thread = std::thread([shared = m_shared] { shared->run(); });
}

XmppSessionThread::~XmppSessionThread()
{
    std::future<void> ended = m_shared->ended.get_future();
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->stopping = true;
    }
    m_shared->wake.notify_all();
    // Signing out takes a moment; a server that does not let go is cut off. A cancelled session
    // has been cut off already.
    if (!m_shared->interrupt->isInterrupted() && ended.wait_for(300ms) != std::future_status::ready)
        m_shared->interrupt->interrupt(XmppInterrupt::Reason::Cancelled);
    if (ended.wait_for(200ms) == std::future_status::ready)
        m_thread.join();
    else
        m_thread.detach(); // the interrupt makes it end soon, on its own
}

void XmppSessionThread::post(std::function<void(XmppSession &)> task)
{
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->tasks.push_back(std::move(task));
    }
    m_shared->wake.notify_all();
}

void XmppSessionThread::await(const MessengerWaiter &waiter, const MessengerWaiter::Poll &finished,
                              std::chrono::milliseconds deadline)
{
    const QDeadlineTimer timer(deadline == std::chrono::milliseconds::max()
                                   ? QDeadlineTimer(QDeadlineTimer::Forever)
                                   : QDeadlineTimer(deadline));
    waiter.wait([&](std::chrono::milliseconds slice) {
        if (finished(slice))
            return true;
        // The reply still comes: the interrupt makes the work end soon with the time-out.
        if (timer.hasExpired())
            timeOut();
        return false;
    });
}

void XmppSessionThread::noteState(Shared &shared, const XmppSession &session)
{
    shared.signedIn = session.isSignedIn();
    shared.rosterRevision = session.rosterRevision();
}

std::shared_ptr<XmppSessionThread::SignInReply> XmppSessionThread::startSignIn(QByteArray &password)
{
    // Moved into the task, which wipes it once the library has it.
    auto secret = std::make_shared<QByteArray>(std::exchange(password, QByteArray()));
    auto reply = std::make_shared<SignInReply>();
    m_signIn = reply;
    post([shared = m_shared.get(), secret, reply](XmppSession &session) {
        reply->run([&] {
            struct Note
            {
                Shared &shared;
                const XmppSession &session;
                QByteArray &secret;
                ~Note()
                {
                    noteState(shared, session);
                    PasswordSource::wipe(secret);
                }
            } note{*shared, session, *secret};
            session.signIn(*secret, [reply](XmppConnection::Step step) { reply->report(step); });
            return XmppSignInResult{session.signInName(), session.displayName(), session.notice()};
        });
    });
    return reply;
}

void XmppSessionThread::signIn(QByteArray &password, const MessengerWaiter &waiter)
{
    const std::shared_ptr<SignInReply> reply = startSignIn(password);
    await(
        waiter, [&](std::chrono::milliseconds slice) { return reply->waitFor(slice); },
        signInDeadline());
    reply->result(); // throws why the sign-in failed
}

std::chrono::milliseconds XmppSessionThread::signInDeadline() const
{
    return m_settings.signInTimeLimit + 3 * m_settings.requestTimeLimit;
}

void XmppSessionThread::cancel()
{
    m_shared->interrupt->interrupt(XmppInterrupt::Reason::Cancelled);
}

void XmppSessionThread::timeOut()
{
    m_shared->interrupt->interrupt(XmppInterrupt::Reason::TimedOut);
}

bool XmppSessionThread::isSignedIn() const
{
    return m_shared->signedIn;
}

quint64 XmppSessionThread::rosterRevision() const
{
    return m_shared->rosterRevision;
}

const XmppSignInResult &XmppSessionThread::account() const
{
    static const XmppSignInResult none;
    return m_signIn && m_signIn->isFinished() ? m_signIn->result() : none;
}
