#include "tests/xmpp/StallingServer.h"

#include "tests/support/SocketText.h"
#include "tests/xmpp/TestCertificate.h"

#include <QByteArray>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using SocketText::readUntil;
using SocketText::send;

sockaddr_in loopback(quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

} // namespace

StallingServer::StallingServer(Step step) : m_step(step)
{
    if (step == Step::Sasl)
        m_certificate = std::make_unique<TestCertificate>(QStringLiteral("localhost"));
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    // Room for a single waiting connection when nothing is to be taken.
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
        ::listen(m_listener, step == Step::TcpConnect ? 0 : 4) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        throw std::runtime_error("the stalling server cannot listen on loopback");
    m_port = ntohs(address.sin_port);
    if (step == Step::TcpConnect) {
        // Fills the queue; the system then drops the next connection requests.
        for (int i = 0; i < 2; ++i) {
            const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
            const sockaddr_in server = loopback(m_port);
            (void)::connect(filler, reinterpret_cast<const sockaddr *>(&server), sizeof server);
            m_fillers.push_back(filler);
        }
        ::usleep(50000); // lets the fillers' handshakes complete
        return;
    }
    m_thread = std::thread([this] { serve(); });
}

StallingServer::~StallingServer()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
    for (const int filler : m_fillers)
        ::close(filler);
    ::close(m_listener);
}

void StallingServer::serve()
{
    while (!m_stopping) {
        pollfd wait{m_listener, POLLIN, 0};
        if (::poll(&wait, 1, 20) <= 0)
            continue;
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        QByteArray received;
        if (readUntil(client, "<stream:stream", received, m_stopping) &&
            readUntil(client, ">", received, m_stopping)) {
            send(client, "<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
                         "xmlns:stream='http://etherx.jabber.org/streams' id='stall' "
                         "from='localhost' version='1.0'><stream:features><starttls "
                         "xmlns='urn:ietf:params:xml:ns:xmpp-tls'><required/></starttls>"
                         "</stream:features>");
            received.clear();
            if (readUntil(client, "<starttls", received, m_stopping)) {
                send(client, "<proceed xmlns='urn:ietf:params:xml:ns:xmpp-tls'/>");
                received.clear();
                if (m_step == Step::Sasl) {
                    stallInSasl(client);
                    ::close(client);
                    continue;
                }
                // A TLS record of type handshake: the client's hello.
                m_reached = readUntil(client, QByteArray(1, '\x16'), received, m_stopping);
            }
        }
        QByteArray rest;
        readUntil(client, "never sent", rest, m_stopping);
        m_clientGone = !m_stopping;
        ::close(client);
    }
}

QString StallingServer::caFile() const
{
    return m_certificate ? m_certificate->path() : QString();
}

void StallingServer::stallInSasl(int client)
{
    const std::unique_ptr<SSL_CTX, decltype(&SSL_CTX_free)> context(
        SSL_CTX_new(TLS_server_method()), &SSL_CTX_free);
    SSL_CTX_use_certificate(context.get(), m_certificate->certificate());
    SSL_CTX_use_PrivateKey(context.get(), m_certificate->key());
    const std::unique_ptr<SSL, decltype(&SSL_free)> tls(SSL_new(context.get()), &SSL_free);
    SSL_set_fd(tls.get(), client);
    if (SSL_accept(tls.get()) != 1)
        return;
    // Reads over TLS until text has arrived; false when the client went away or we stop.
    QByteArray received;
    const auto readUntilText = [&](const QByteArray &text) {
        while (!received.contains(text)) {
            pollfd wait{client, POLLIN, 0};
            if (SSL_pending(tls.get()) == 0 && ::poll(&wait, 1, 20) <= 0) {
                if (m_stopping)
                    return false;
                continue;
            }
            char buffer[4096];
            const int got = SSL_read(tls.get(), buffer, sizeof buffer);
            if (got <= 0)
                return false;
            received.append(buffer, got);
        }
        return true;
    };
    if (readUntilText("<stream:stream") && readUntilText(">")) {
        const QByteArray features =
            "<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
            "xmlns:stream='http://etherx.jabber.org/streams' id='stall2' from='localhost' "
            "version='1.0'><stream:features><mechanisms "
            "xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>SCRAM-SHA-1</mechanism>"
            "<mechanism>PLAIN</mechanism></mechanisms></stream:features>";
        SSL_write(tls.get(), features.constData(), int(features.size()));
        received.clear();
        m_reached = readUntilText("<auth");
    }
    readUntilText("never sent");
    m_clientGone = !m_stopping;
}
