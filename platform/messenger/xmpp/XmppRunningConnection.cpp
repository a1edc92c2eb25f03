#include "platform/messenger/xmpp/XmppRunningConnection.h"

#include <utility>

namespace {

XmppConnection *&current()
{
    static thread_local XmppConnection *running = nullptr;
    return running;
}

} // namespace

XmppRunningConnection::XmppRunningConnection(XmppConnection *connection)
    : m_previous(std::exchange(current(), connection))
{
}

XmppRunningConnection::~XmppRunningConnection()
{
    current() = m_previous;
}

XmppConnection *XmppRunningConnection::connection()
{
    return current();
}
