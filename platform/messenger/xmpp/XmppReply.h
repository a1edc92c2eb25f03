#pragma once

#include <QtGlobal>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

// What one piece of work on the session's thread hands back to the thread that asked for it:
// the progress it reports on the way, then its result or its failure. The session's thread
// writes it; the asking thread either waits for it (waitFor) or is told of each change
// (setNotify). Every result that crosses from the session's thread crosses here.
template <typename Result, typename Progress = std::monostate> class XmppReply
{
public:
    using Notify = std::function<void()>;

    XmppReply() = default;
    Q_DISABLE_COPY_MOVE(XmppReply)

    // The session's thread: runs work and keeps what it returns, or what it throws.
    template <typename Work> void run(Work &&work)
    {
        try {
            finish(std::optional<Result>(work()), nullptr);
        } catch (...) {
            finish(std::nullopt, std::current_exception());
        }
    }
    void report(Progress progress)
    {
        const std::lock_guard lock(m_mutex);
        m_progress.push_back(std::move(progress));
        changed();
    }

    // The asking thread. notify is called on the session's thread after each change (and at
    // once when there is news already), with the reply locked: it may only queue work for the
    // asking thread. Once detach() returns it is never called again.
    void setNotify(Notify notify)
    {
        const std::lock_guard lock(m_mutex);
        m_notify = std::move(notify);
        if (m_finished || !m_progress.empty())
            m_notify();
    }
    void detach()
    {
        const std::lock_guard lock(m_mutex);
        m_notify = nullptr;
    }
    // Waits at most limit; true once the work has finished.
    bool waitFor(std::chrono::milliseconds limit)
    {
        std::unique_lock lock(m_mutex);
        return m_wake.wait_for(lock, limit, [this] { return m_finished; });
    }
    bool isFinished() const
    {
        const std::lock_guard lock(m_mutex);
        return m_finished;
    }
    // The progress reported since the last call, oldest first.
    std::vector<Progress> takeProgress()
    {
        const std::lock_guard lock(m_mutex);
        return std::exchange(m_progress, {});
    }
    // Once finished: the result, or the work's failure thrown again. Never changes after.
    const Result &result() const
    {
        const std::lock_guard lock(m_mutex);
        if (m_failure)
            std::rethrow_exception(m_failure);
        return *m_result;
    }

private:
    void finish(std::optional<Result> result, std::exception_ptr failure)
    {
        const std::lock_guard lock(m_mutex);
        m_result = std::move(result);
        m_failure = std::move(failure);
        m_finished = true;
        changed();
    }
    void changed()
    {
        m_wake.notify_all();
        if (m_notify)
            m_notify();
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<Progress> m_progress;
    std::optional<Result> m_result;
    std::exception_ptr m_failure;
    bool m_finished = false;
    Notify m_notify;
};
