#include "platform/messenger/xmpp/XmppInterrupt.h"

#include <sys/socket.h>
#include <unistd.h>

XmppInterrupt::~XmppInterrupt()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

void XmppInterrupt::interrupt(Reason reason)
{
    Reason none = Reason::None;
    m_reason.compare_exchange_strong(none, reason);
    const std::lock_guard lock(m_mutex);
    if (m_socket >= 0)
        ::shutdown(m_socket, SHUT_RDWR);
}

void XmppInterrupt::watchSocket(int socket)
{
    const std::lock_guard lock(m_mutex);
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = socket >= 0 ? ::dup(socket) : -1;
    if (m_socket >= 0 && isInterrupted())
        ::shutdown(m_socket, SHUT_RDWR);
}
