#pragma once

#include <QtGlobal>
#include <atomic>
#include <mutex>

// Stops a connection's work from another thread: the user's "Cancelar", or a time limit that
// passed while the library was stuck in a blocking step (a TLS handshake with a silent server).
// Setting the reason is not enough there, as the library only returns when its socket does;
// so the socket is shut down as well, which wakes up any read or write on it at once.
class XmppInterrupt
{
public:
    enum class Reason { None, Cancelled, TimedOut };

    XmppInterrupt() = default;
    ~XmppInterrupt();
    Q_DISABLE_COPY_MOVE(XmppInterrupt)

    // Any thread. The first reason given stays.
    void interrupt(Reason reason);
    Reason reason() const { return m_reason.load(); }
    bool isInterrupted() const { return reason() != Reason::None; }

    // The thread that runs the library tells which socket it is using. A duplicate of it is
    // kept, so that shutting it down never reaches a descriptor the library has closed and the
    // system has given to someone else since.
    void watchSocket(int socket);

private:
    std::atomic<Reason> m_reason = Reason::None;
    std::mutex m_mutex;
    int m_socket = -1; // guarded by m_mutex
};
