#pragma once

#include <QThread>
#include <atomic>

class QTcpServer;

// A loopback TCP relay in front of the server, to break a live connection on purpose: it can
// hold back what the client sends (the server seems not to answer) or cut the connection as
// soon as the client sends anything. It runs in a thread of its own because libstrophe does
// parts of the sign-in (the TLS handshake) in a blocking loop of its own.
class TestProxy
{
public:
    explicit TestProxy(quint16 serverPort);
    ~TestProxy();
    Q_DISABLE_COPY_MOVE(TestProxy)

    quint16 port() const { return m_port; }
    void holdClientData() { m_hold = true; }
    void cutOnClientData() { m_cut = true; }

private:
    void accept();

    quint16 m_serverPort;
    quint16 m_port = 0;
    QThread m_thread;
    QObject m_context;                // moved to m_thread: calls made through it run there
    QTcpServer *m_listener = nullptr; // lives in m_thread
    std::atomic<bool> m_hold = false;
    std::atomic<bool> m_cut = false;
};
