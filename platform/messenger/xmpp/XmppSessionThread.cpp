#include "platform/messenger/xmpp/XmppSessionThread.h"

#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppInterrupt.h"
#include "platform/messenger/xmpp/XmppSession.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>

namespace {

using namespace std::chrono_literals;

// Shown while a window waits for the server, so the user sees the program is busy, not stuck.
class BusyCursor
{
public:
    BusyCursor() : m_active(qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    {
        if (m_active)
            QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    }
    ~BusyCursor()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
    }
    Q_DISABLE_COPY_MOVE(BusyCursor)

private:
    bool m_active;
};

bool onMainThread()
{
    const QCoreApplication *application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

} // namespace

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
            if (task)
                task(*session);
            else if (signedIn)
                session->processPending();
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
    std::atomic<bool> signedIn = false;
    // Written on the thread before the sign-in reports success; read only after that.
    QString signInName;
    QString displayName;
    QString notice;
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
        m_thread.detach(); // only a name lookup still running: it ends by itself
}

void XmppSessionThread::post(std::function<void(XmppSession &)> task)
{
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->tasks.push_back(std::move(task));
    }
    m_shared->wake.notify_all();
}

void XmppSessionThread::call(const std::function<void(XmppSession &)> &task,
                             std::chrono::milliseconds deadline)
{
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    post([task, done](XmppSession &session) {
        try {
            task(session);
            done->set_value();
        } catch (...) {
            done->set_exception(std::current_exception());
        }
    });
    const QDeadlineTimer timer(deadline == std::chrono::milliseconds::max()
                                   ? QDeadlineTimer(QDeadlineTimer::Forever)
                                   : QDeadlineTimer(deadline));
    if (onMainThread()) {
        const BusyCursor busy;
        while (finished.wait_for(5ms) != std::future_status::ready) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (timer.hasExpired())
                timeOut();
        }
    } else {
        while (finished.wait_for(50ms) != std::future_status::ready) {
            if (timer.hasExpired())
                timeOut();
        }
    }
    finished.get();
}

void XmppSessionThread::startSignIn(QByteArray &password, XmppConnection::ProgressHandler progress,
                                    DoneHandler done)
{
    // Moved into the task, which wipes it once the library has it.
    auto secret = std::make_shared<QByteArray>(std::exchange(password, QByteArray()));
    post([shared = m_shared.get(), secret, progress = std::move(progress),
          done = std::move(done)](XmppSession &session) {
        try {
            session.signIn(*secret, progress);
            shared->signInName = session.signInName();
            shared->displayName = session.displayName();
            shared->notice = session.notice();
            shared->signedIn = session.isSignedIn();
        } catch (...) {
            PasswordSource::wipe(*secret);
            done(std::current_exception());
            return;
        }
        done(nullptr);
    });
}

void XmppSessionThread::signIn(QByteArray &password)
{
    auto secret = std::make_shared<QByteArray>(std::exchange(password, QByteArray()));
    call(
        [shared = m_shared.get(), secret](XmppSession &session) {
            session.signIn(*secret);
            shared->signInName = session.signInName();
            shared->displayName = session.displayName();
            shared->notice = session.notice();
            shared->signedIn = session.isSignedIn();
        },
        signInDeadline());
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

QString XmppSessionThread::signInName() const
{
    return m_shared->signInName;
}

QString XmppSessionThread::displayName() const
{
    return m_shared->displayName;
}

QString XmppSessionThread::notice() const
{
    return m_shared->notice;
}

void XmppSessionThread::readRoster(const std::function<void(const XmppRoster &)> &read)
{
    call([&](XmppSession &session) {
        session.processPending();
        read(session.roster());
        m_shared->signedIn = session.isSignedIn();
    });
}

void XmppSessionThread::removeContact(const QString &jid)
{
    call([&](XmppSession &session) {
        try {
            session.removeContact(jid);
        } catch (...) {
            m_shared->signedIn = session.isSignedIn();
            throw;
        }
    });
}
