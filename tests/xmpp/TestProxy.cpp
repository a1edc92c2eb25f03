#include "tests/xmpp/TestProxy.h"

#include <QTcpServer>
#include <QTcpSocket>

TestProxy::TestProxy(quint16 serverPort) : m_serverPort(serverPort)
{
    m_context.moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        &m_context,
        [this] {
            m_listener = new QTcpServer;
            m_listener->listen(QHostAddress::LocalHost);
            m_port = m_listener->serverPort();
            QObject::connect(m_listener, &QTcpServer::newConnection, m_listener,
                             [this] { accept(); });
        },
        Qt::BlockingQueuedConnection);
}

TestProxy::~TestProxy()
{
    QMetaObject::invokeMethod(
        &m_context, [this] { delete m_listener; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void TestProxy::accept()
{
    while (QTcpSocket *client = m_listener->nextPendingConnection()) {
        auto *server = new QTcpSocket(client);
        server->connectToHost(QHostAddress::LocalHost, m_serverPort);
        const auto relay = [this, client, server] {
            if (m_cut && client->bytesAvailable() > 0) {
                client->abort();
                server->abort();
                return;
            }
            // Held data, and data sent before the server is reached, wait in the client socket.
            if (!m_hold && server->state() == QAbstractSocket::ConnectedState)
                server->write(client->readAll());
        };
        QObject::connect(server, &QTcpSocket::connected, client, relay);
        QObject::connect(client, &QTcpSocket::readyRead, client, relay);
        QObject::connect(server, &QTcpSocket::readyRead, client,
                         [client, server] { client->write(server->readAll()); });
        QObject::connect(server, &QTcpSocket::disconnected, client,
                         &QTcpSocket::disconnectFromHost);
        QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
    }
}
