#pragma once

#include <QtGlobal>
#include <atomic>
#include <mutex>
#include <vector>

// Stops a connection's work from another thread: the user's "Cancelar", or a time limit that
// passed while the library was stuck in a step that loops on its own (a TLS handshake with a
// silent server). Setting the reason is not enough there, as the library only returns when its
// socket does; so the socket is shut down for reading as well, which ends any wait on it at
// once. Only reading: shutting the writing side would make the TLS library write an alert to a
// socket that can no longer send.
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

    // The thread that runs the library tells each socket it opens. A duplicate of each is kept,
    // so that shutting it down never reaches a descriptor the library has closed and the
    // system has given to someone else since; the library may open several (one per address
    // it tries), closing each before it says so.
    void watchSocket(int socket);
    // The connection ended: the duplicates are closed, which lets the system free the sockets.
    void releaseSockets();

private:
    std::atomic<Reason> m_reason = Reason::None;
    std::mutex m_mutex;
    std::vector<int> m_sockets; // guarded by m_mutex
};
