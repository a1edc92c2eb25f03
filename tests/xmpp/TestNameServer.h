#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <atomic>
#include <mutex>
#include <thread>

// A name server on loopback for the client's look-ups: silent (it reads every query and never
// answers, like a server that is down behind a firewall), or answering from the few service
// and IPv4 records the test gives it, and "no such name" for anything else. UDP only, one
// question per query, which is all a resolver sends.
//
// Qt before 6.6 asks name servers on port 53 only, which needs the privilege to listen there;
// the server then listens on a loopback address of its own, so as to stay clear of a local
// resolver. Where it cannot listen, skipReason() says why.
class TestNameServer
{
public:
    enum class Behaviour { Silent, Answering };

    explicit TestNameServer(Behaviour behaviour);
    ~TestNameServer();
    Q_DISABLE_COPY_MOVE(TestNameServer)

    // Empty when listening.
    QString skipReason() const { return m_skipReason; }
    QString address() const { return m_address; }
    quint16 port() const { return m_port; }
    // How many queries arrived so far.
    int queries() const { return m_queries; }

    // name is written without the final dot, as "_xmpp-client._tcp.example.org".
    void addService(const QString &name, const QString &target, quint16 port);
    // Each address given for a name is another record, answered in the order given.
    void addAddress(const QString &name, const QString &ipv4);

private:
    void serve();
    QByteArray answer(const QByteArray &query);

    Behaviour m_behaviour;
    int m_socket = -1;
    QString m_address;
    quint16 m_port = 0;
    QString m_skipReason;
    std::mutex m_mutex;
    QHash<QString, std::pair<QString, quint16>> m_services; // guarded by m_mutex
    QHash<QString, QStringList> m_addresses;                // guarded by m_mutex
    std::atomic<int> m_queries = 0;
    std::atomic<bool> m_stopping = false;
    std::thread m_thread;
};
