#pragma once

#include <QDeadlineTimer>
#include <condition_variable>
#include <mutex>
#include <thread>

class XmppInterrupt;

// Interrupts with a time-out when the deadline passes while it lives, from a thread of its
// own: the thread that runs the library cannot watch the clock while the library loops inside
// one step (a TLS handshake with a silent server).
class XmppAlarm
{
public:
    XmppAlarm(XmppInterrupt &interrupt, const QDeadlineTimer &deadline);
    // Disarms the alarm, which no longer fires once this returns.
    ~XmppAlarm();
    Q_DISABLE_COPY_MOVE(XmppAlarm)

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_disarmed = false; // guarded by m_mutex
    std::thread m_thread;
};
