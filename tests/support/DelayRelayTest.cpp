#include "tests/support/DelayRelay.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// A server that sends back whatever it reads, in a thread of its own, on loopback.
class EchoServer
{
public:
    EchoServer()
    {
        m_context.moveToThread(&m_thread);
        m_thread.start();
        QMetaObject::invokeMethod(
            &m_context,
            [this] {
                m_listener = new QTcpServer(&m_context);
                m_listener->listen(QHostAddress::LocalHost);
                m_port = m_listener->serverPort();
                QObject::connect(m_listener, &QTcpServer::newConnection, &m_context, [this] {
                    while (QTcpSocket *socket = m_listener->nextPendingConnection()) {
                        QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                         [socket] { socket->write(socket->readAll()); });
                        QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                            ++m_closed;
                            socket->deleteLater();
                        });
                    }
                });
            },
            Qt::BlockingQueuedConnection);
    }
    ~EchoServer()
    {
        QMetaObject::invokeMethod(
            &m_context, [this] { qDeleteAll(m_context.children()); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    Q_DISABLE_COPY_MOVE(EchoServer)

    quint16 port() const { return m_port; }
    int closedCount() const { return m_closed; }

private:
    QThread m_thread;
    QObject m_context;
    QTcpServer *m_listener = nullptr;
    quint16 m_port = 0;
    std::atomic<int> m_closed = 0;
};

QTcpSocket *connectTo(quint16 port, QObject *parent)
{
    auto *socket = new QTcpSocket(parent);
    socket->connectToHost(QHostAddress::LocalHost, port);
    EXPECT_TRUE(socket->waitForConnected(2000));
    return socket;
}

// Reads until size bytes have come, or the time runs out.
QByteArray readExactly(QTcpSocket &socket, qsizetype size, int limitMs = 5000)
{
    QByteArray read;
    QElapsedTimer clock;
    clock.start();
    while (read.size() < size && clock.elapsed() < limitMs) {
        if (socket.bytesAvailable() > 0 || socket.waitForReadyRead(50))
            read += socket.read(size - read.size());
    }
    return read;
}

TEST(DelayRelayTest, EachDirectionIsDelayedAndBytesArriveIntactInOrder)
{
    EchoServer echo;
    DelayRelay relay(echo.port(), {40ms, 0});
    QObject owner;
    QTcpSocket *client = connectTo(relay.port(), &owner);

    QElapsedTimer clock;
    clock.start();
    client->write("ping");
    EXPECT_EQ(readExactly(*client, 4), QByteArray("ping"));
    const qint64 roundTrip = clock.elapsed();
    EXPECT_GE(roundTrip, 80) << "both directions carry the delay";
    EXPECT_LT(roundTrip, 400);

    QByteArray data(1 << 20, Qt::Uninitialized);
    QRandomGenerator generator(7);
    generator.fillRange(reinterpret_cast<quint32 *>(data.data()), data.size() / 4);
    client->write(data);
    EXPECT_TRUE(readExactly(*client, data.size(), 10000) == data);
}

TEST(DelayRelayTest, RequestsSentBackToBackAreNotMadeToWaitForEachOther)
{
    // Twenty requests 10 ms apart through a 100 ms round trip: the last answer comes one round
    // trip after the last request, not twenty round trips after the first.
    EchoServer echo;
    DelayRelay relay(echo.port(), {50ms, 0});
    QObject owner;
    QTcpSocket *client = connectTo(relay.port(), &owner);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 20; ++i) {
        client->write(QByteArray::number(i % 10));
        client->flush();
        QThread::msleep(10);
    }
    EXPECT_EQ(readExactly(*client, 20), QByteArray("01234567890123456789"));
    const qint64 elapsed = clock.elapsed();
    EXPECT_GE(elapsed, 290);
    EXPECT_LT(elapsed, 1000);
}

TEST(DelayRelayTest, RateCapSpreadsALargeWriteOverTime)
{
    EchoServer echo;
    // 400 kB each way at 2 MB/s: at least 0.2 s, whatever the delay.
    DelayRelay relay(echo.port(), {0ms, 2'000'000});
    QObject owner;
    QTcpSocket *client = connectTo(relay.port(), &owner);
    const QByteArray data(400'000, 'x');
    QElapsedTimer clock;
    clock.start();
    client->write(data);
    EXPECT_EQ(readExactly(*client, data.size(), 10000).size(), data.size());
    EXPECT_GE(clock.elapsed(), 190);
}

TEST(DelayRelayTest, CutBreaksBothSidesAndDropsWhatWasOnItsWay)
{
    EchoServer echo;
    DelayRelay relay(echo.port(), {200ms, 0});
    QObject owner;
    QTcpSocket *client = connectTo(relay.port(), &owner);
    client->write("lost");
    client->flush();
    QThread::msleep(20);
    relay.cut();
    EXPECT_TRUE(client->state() == QAbstractSocket::UnconnectedState ||
                client->waitForDisconnected(2000));
    EXPECT_EQ(client->readAll(), QByteArray()) << "nothing held back may arrive after a cut";
    QElapsedTimer clock;
    clock.start();
    while (echo.closedCount() < 1 && clock.elapsed() < 2000)
        QThread::msleep(5);
    EXPECT_EQ(echo.closedCount(), 1) << "the server sees its connection end";

    // The relay still serves new connections.
    QTcpSocket *again = connectTo(relay.port(), &owner);
    again->write("back");
    EXPECT_EQ(readExactly(*again, 4), QByteArray("back"));
    EXPECT_EQ(relay.acceptedCount(), 2);
}

TEST(DelayRelayTest, AClosedClientClosesTheServerSideAfterWhatItSent)
{
    EchoServer echo;
    {
        DelayRelay relay(echo.port(), {30ms, 0});
        QObject owner;
        QTcpSocket *client = connectTo(relay.port(), &owner);
        client->write("bye");
        client->disconnectFromHost();
        if (client->state() != QAbstractSocket::UnconnectedState)
            client->waitForDisconnected(1000);
        QElapsedTimer clock;
        clock.start();
        while (echo.closedCount() < 1 && clock.elapsed() < 2000)
            QThread::msleep(5);
        EXPECT_EQ(echo.closedCount(), 1);
        // A relay destroyed with a connection still open closes it too.
        QTcpSocket *open = connectTo(relay.port(), &owner);
        open->write("x");
        EXPECT_EQ(readExactly(*open, 1), QByteArray("x"));
    }
    QElapsedTimer clock;
    clock.start();
    while (echo.closedCount() < 2 && clock.elapsed() < 2000)
        QThread::msleep(5);
    EXPECT_EQ(echo.closedCount(), 2);
}

} // namespace
