#include "platform/messenger/xmpp/XmppInterrupt.h"

#include <algorithm>
#include <sys/socket.h>
#include <unistd.h>

XmppInterrupt::~XmppInterrupt()
{
    releaseSockets();
}

void XmppInterrupt::interrupt(Reason reason)
{
    Reason none = Reason::None;
    m_reason.compare_exchange_strong(none, reason);
    const std::lock_guard lock(m_mutex);
    for (const int socket : m_sockets)
        ::shutdown(socket, SHUT_RD);
}

void XmppInterrupt::watchSocket(int socket)
{
    if (socket < 0)
        return;
    const int kept = ::dup(socket);
    if (kept < 0)
        return;
    const std::lock_guard lock(m_mutex);
    m_sockets.push_back(kept);
    if (isInterrupted())
        ::shutdown(kept, SHUT_RD);
}

void XmppInterrupt::releaseSockets()
{
    const std::lock_guard lock(m_mutex);
    std::for_each(m_sockets.begin(), m_sockets.end(), &::close);
    m_sockets.clear();
}
