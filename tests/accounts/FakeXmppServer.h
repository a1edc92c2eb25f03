#pragma once

#include <QtGlobal>
#include <atomic>
#include <thread>

// A server on loopback that starts an XMPP stream and then misbehaves, for the sign-in's
// failures that a real server does not produce on request. It serves one client at a time on
// a thread of its own, since the client's TLS handshake blocks until the socket answers.
class FakeXmppServer
{
public:
    enum class Behaviour {
        // Offers STARTTLS, says "proceed", then never answers the TLS handshake.
        StallTls,
        // Offers no TLS at all.
        NoTls
    };

    explicit FakeXmppServer(Behaviour behaviour);
    ~FakeXmppServer();
    Q_DISABLE_COPY_MOVE(FakeXmppServer)

    quint16 port() const { return m_port; }
    // The client sent its first TLS bytes, so the handshake is under way.
    bool handshakeStarted() const { return m_handshakeStarted; }
    // The client closed or shut down its end of the connection.
    bool clientGone() const { return m_clientGone; }

private:
    void serve();

    Behaviour m_behaviour;
    int m_listener = -1;
    quint16 m_port = 0;
    std::atomic<bool> m_stopping = false;
    std::atomic<bool> m_handshakeStarted = false;
    std::atomic<bool> m_clientGone = false;
    std::thread m_thread;
};
