#include "tests/accounts/FakeXmppServer.h"

#include "tests/support/SocketText.h"

#include <QByteArray>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

using SocketText::readUntil;
using SocketText::send;

FakeXmppServer::FakeXmppServer(Behaviour behaviour) : m_behaviour(behaviour)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
        ::listen(m_listener, 4) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        throw std::runtime_error("the fake XMPP server cannot listen on loopback");
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serve(); });
}

FakeXmppServer::~FakeXmppServer()
{
    m_stopping = true;
    m_thread.join();
    ::close(m_listener);
}

void FakeXmppServer::serve()
{
    while (!m_stopping) {
        pollfd wait{m_listener, POLLIN, 0};
        if (::poll(&wait, 1, 50) <= 0)
            continue;
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client < 0)
            continue;
        QByteArray received;
        if (readUntil(client, "<stream:stream", received, m_stopping) &&
            readUntil(client, ">", received, m_stopping)) {
            send(client, "<?xml version='1.0'?><stream:stream xmlns='jabber:client' "
                         "xmlns:stream='http://etherx.jabber.org/streams' id='fake' "
                         "from='localhost' version='1.0'>");
            if (m_behaviour == Behaviour::NoTls) {
                send(client, "<stream:features><mechanisms "
                             "xmlns='urn:ietf:params:xml:ns:xmpp-sasl'><mechanism>PLAIN"
                             "</mechanism></mechanisms></stream:features>");
            } else {
                send(client, "<stream:features><starttls "
                             "xmlns='urn:ietf:params:xml:ns:xmpp-tls'><required/></starttls>"
                             "</stream:features>");
                received.clear();
                if (readUntil(client, "<starttls", received, m_stopping)) {
                    send(client, "<proceed xmlns='urn:ietf:params:xml:ns:xmpp-tls'/>");
                    received.clear();
                    // The client's hello arrives; the server says nothing more.
                    m_handshakeStarted =
                        readUntil(client, QByteArray(1, '\x16'), received, m_stopping);
                }
            }
        }
        // Waits for the client to give up.
        QByteArray rest;
        readUntil(client, "never sent", rest, m_stopping);
        m_clientGone = !m_stopping;
        ::close(client);
    }
}
