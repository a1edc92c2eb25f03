#include "tests/support/DelayRelay.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <deque>

namespace {

// One direction of a relayed connection: what was read from one socket, each piece with the
// time it may be written to the other.
class Pipe : public QObject
{
public:
    Pipe(QTcpSocket *from, QTcpSocket *to, const DelayRelay::Options &options, QObject *parent)
        : QObject(parent), m_from(from), m_to(to), m_options(options)
    {
        m_clock.start();
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { release(); });
        QObject::connect(from, &QTcpSocket::readyRead, this, [this] { take(); });
        QObject::connect(from, &QTcpSocket::disconnected, this, [this] {
            take();
            m_closing = true;
            release();
        });
    }

    void drop()
    {
        m_timer.stop();
        m_pieces.clear();
    }

private:
    struct Piece
    {
        qint64 dueNs;
        QByteArray data;
    };

    void take()
    {
        if (!m_from->isOpen())
            return;
        const QByteArray data = m_from->readAll();
        if (data.isEmpty())
            return;
        const qint64 due =
            m_clock.nsecsElapsed() +
            std::chrono::duration_cast<std::chrono::nanoseconds>(m_options.delay).count();
        // Under a cap, pieces of 5 ms' worth each, so that the rate is kept smoothly.
        const qint64 size = m_options.bytesPerSecond > 0
                                ? std::max<qint64>(512, m_options.bytesPerSecond / 200)
                                : data.size();
        for (qint64 at = 0; at < data.size(); at += size)
            m_pieces.push_back({due, data.mid(at, size)});
        schedule();
    }

    void schedule()
    {
        if (m_pieces.empty() || m_timer.isActive())
            return;
        const qint64 at = std::max(m_pieces.front().dueNs, m_freeNs);
        const qint64 wait = at - m_clock.nsecsElapsed();
        m_timer.start(int(std::max<qint64>(0, (wait + 999'999) / 1'000'000)));
    }

    void release()
    {
        const qint64 now = m_clock.nsecsElapsed();
        while (!m_pieces.empty() && std::max(m_pieces.front().dueNs, m_freeNs) <= now) {
            const QByteArray &data = m_pieces.front().data;
            if (m_options.bytesPerSecond > 0)
                m_freeNs = std::max(m_freeNs, m_pieces.front().dueNs) +
                           data.size() * 1'000'000'000 / m_options.bytesPerSecond;
            m_to->write(data);
            m_pieces.pop_front();
        }
        if (m_pieces.empty() && m_closing)
            m_to->disconnectFromHost();
        schedule();
    }

    QTcpSocket *m_from;
    QTcpSocket *m_to;
    DelayRelay::Options m_options;
    QElapsedTimer m_clock;
    QTimer m_timer;
    std::deque<Piece> m_pieces;
    qint64 m_freeNs = 0; // under a cap: when the direction has carried what it released
    bool m_closing = false;
};

} // namespace

// A client's connection and the relay's own to the server, with a pipe each way.
class DelayRelay::Link : public QObject
{
public:
    Link(QTcpSocket *client, quint16 serverPort, const Options &options, QObject *parent)
        : QObject(parent), m_client(client), m_server(new QTcpSocket(this))
    {
        client->setParent(this);
        m_client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        m_server->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        m_server->connectToHost(QHostAddress::LocalHost, serverPort);
        m_up = new Pipe(m_client, m_server, options, this);
        m_down = new Pipe(m_server, m_client, options, this);
        // Once both sides have closed, the link goes.
        for (QTcpSocket *socket : {m_client, m_server})
            QObject::connect(socket, &QTcpSocket::disconnected, this, [this] { ended(); });
        QObject::connect(m_server, &QTcpSocket::errorOccurred, this, [this] {
            if (m_server->state() == QAbstractSocket::UnconnectedState)
                m_client->disconnectFromHost();
        });
    }

    void cut()
    {
        m_up->drop();
        m_down->drop();
        m_client->abort();
        m_server->abort();
        deleteLater();
    }

private:
    void ended()
    {
        if (m_client->state() == QAbstractSocket::UnconnectedState &&
            m_server->state() == QAbstractSocket::UnconnectedState)
            deleteLater();
    }

    QTcpSocket *m_client;
    QTcpSocket *m_server;
    Pipe *m_up = nullptr;
    Pipe *m_down = nullptr;
};

DelayRelay::DelayRelay(quint16 serverPort, Options options)
    : m_serverPort(serverPort), m_options(options), m_context(std::make_unique<QObject>())
{
    m_context->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_context.get(),
        [this] {
            m_listener = new QTcpServer(m_context.get());
            m_links = new QObject(m_context.get());
            m_listener->listen(QHostAddress::LocalHost);
            m_port = m_listener->serverPort();
            QObject::connect(m_listener, &QTcpServer::newConnection, m_listener,
                             [this] { accept(); });
        },
        Qt::BlockingQueuedConnection);
}

DelayRelay::~DelayRelay()
{
    // The links and the listener go on the thread they live in.
    QMetaObject::invokeMethod(
        m_context.get(),
        [this] {
            delete m_listener;
            qDeleteAll(m_links->children());
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    m_context.reset();
}

void DelayRelay::cut()
{
    QMetaObject::invokeMethod(
        m_context.get(),
        [this] {
            for (QObject *link : m_links->children())
                static_cast<Link *>(link)->cut();
        },
        Qt::BlockingQueuedConnection);
}

void DelayRelay::cutForGood()
{
    QMetaObject::invokeMethod(
        m_context.get(), [this] { m_listener->close(); }, Qt::BlockingQueuedConnection);
    cut();
}

int DelayRelay::acceptedCount() const
{
    return m_accepted;
}

void DelayRelay::accept()
{
    while (QTcpSocket *client = m_listener->nextPendingConnection()) {
        ++m_accepted;
        new Link(client, m_serverPort, m_options, m_links);
    }
}
