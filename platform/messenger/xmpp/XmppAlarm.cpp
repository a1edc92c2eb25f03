#include "platform/messenger/xmpp/XmppAlarm.h"

#include "platform/messenger/xmpp/XmppInterrupt.h"

XmppAlarm::XmppAlarm(XmppInterrupt &interrupt, const QDeadlineTimer &deadline)
{
    const bool forever = deadline.isForever();
    const auto end = std::chrono::steady_clock::now() +
                     std::chrono::milliseconds(forever ? 0 : deadline.remainingTime());
    m_thread = std::thread([this, &interrupt, forever, end] {
        std::unique_lock lock(m_mutex);
        const auto disarmed = [this] { return m_disarmed; };
        if (forever)
            m_wake.wait(lock, disarmed);
        else if (!m_wake.wait_until(lock, end, disarmed))
            interrupt.interrupt(XmppInterrupt::Reason::TimedOut);
    });
}

XmppAlarm::~XmppAlarm()
{
    {
        const std::lock_guard lock(m_mutex);
        m_disarmed = true;
    }
    m_wake.notify_all();
    m_thread.join();
}
