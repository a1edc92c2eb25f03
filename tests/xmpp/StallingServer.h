#pragma once

#include <QString>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class TestCertificate;

// A server on loopback that stops answering at one step of the sign-in, for the cancel and the
// time limit at that step. It runs in a thread of its own, as the client's TLS handshake loops
// inside the library until the socket answers.
class StallingServer
{
public:
    enum class Step {
        // Never takes the connection: the system's queue of connections waiting for the
        // server is full, so the client's connection request goes unanswered.
        TcpConnect,
        // Offers STARTTLS, says "proceed", reads the client's hello and answers nothing.
        TlsHandshake,
        // Completes TLS with a certificate for "localhost" (see caFile()), offers SASL, reads
        // the client's first authentication message and answers nothing.
        Sasl
    };

    explicit StallingServer(Step step);
    ~StallingServer();
    Q_DISABLE_COPY_MOVE(StallingServer)

    quint16 port() const { return m_port; }
    // The authority to trust for Sasl; empty otherwise.
    QString caFile() const;
    // The client reached the step: its hello, or its authentication, arrived.
    bool reached() const { return m_reached; }
    // The client closed or shut down its end (not for TcpConnect).
    bool clientGone() const { return m_clientGone; }

private:
    void serve();
    void stallInSasl(int client);

    Step m_step;
    std::unique_ptr<TestCertificate> m_certificate;
    int m_listener = -1;
    std::vector<int> m_fillers; // the connections that fill the queue
    quint16 m_port = 0;
    std::atomic<bool> m_stopping = false;
    std::atomic<bool> m_reached = false;
    std::atomic<bool> m_clientGone = false;
    std::thread m_thread;
};
