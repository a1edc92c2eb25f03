#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <chrono>
#include <memory>

class QTcpServer;

// A loopback TCP relay between a client and a server that holds every byte back by a set time
// in each direction, and can cap the rate each direction carries: a server at a real distance,
// made from one on loopback. Bytes sent back to back stay back to back, each delayed from the
// moment it reached the relay. It runs in a thread of its own, so that a client that blocks
// its own thread (libstrophe's TLS handshake) still sees the delay kept.
class DelayRelay
{
public:
    struct Options
    {
        // Added to every byte in each direction: half the round trip it adds.
        std::chrono::milliseconds delay{0};
        // Bytes a second in each direction; 0 for no cap.
        qint64 bytesPerSecond = 0;
    };

    // Listens on loopback, on a port of its own, for clients of the server at serverPort.
    DelayRelay(quint16 serverPort, Options options);
    // Closes every connection and the listener, and stops its thread.
    ~DelayRelay();
    Q_DISABLE_COPY_MOVE(DelayRelay)

    quint16 port() const { return m_port; }
    // Breaks every open connection at once, on both sides, with what is still on its way
    // dropped: as a server that died. Later connections are relayed as before.
    void cut();
    // Breaks every open connection as cut() does and refuses every later one: as a server that
    // went away for good.
    void cutForGood();
    // The connections accepted so far.
    int acceptedCount() const;

private:
    class Link;
    void accept();

    quint16 m_serverPort;
    Options m_options;
    quint16 m_port = 0;
    QThread m_thread;
    std::unique_ptr<QObject> m_context; // lives in m_thread: calls made through it run there
    QTcpServer *m_listener = nullptr;   // owned by m_context
    QObject *m_links = nullptr;         // owned by m_context; parent of every link
    std::atomic<int> m_accepted = 0;
};
