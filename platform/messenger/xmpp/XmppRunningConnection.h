#pragma once

#include <QtGlobal>

class XmppConnection;

// Marks the connection that runs the library on this thread while it lives, for the library's
// callbacks that do not say which connection they are about. Per thread: each thread runs its
// own connections; marks nest, and the previous one is back when this one ends.
class XmppRunningConnection
{
public:
    explicit XmppRunningConnection(XmppConnection *connection);
    ~XmppRunningConnection();
    Q_DISABLE_COPY_MOVE(XmppRunningConnection)

    // The connection marked last on this thread, or null.
    static XmppConnection *connection();

private:
    XmppConnection *m_previous;
};
