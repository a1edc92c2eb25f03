#include "tests/xmpp/TestNameServer.h"

#include <QHostAddress>
#include <QRandomGenerator>
#include <QtEndian>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr quint16 typeA = 1;
constexpr quint16 typeSrv = 33;
constexpr quint16 noSuchName = 3;

void append16(QByteArray &out, quint16 value)
{
    out.append(char(value >> 8)).append(char(value & 0xff));
}

void append32(QByteArray &out, quint32 value)
{
    append16(out, quint16(value >> 16));
    append16(out, quint16(value & 0xffff));
}

QByteArray encodeName(const QString &name)
{
    QByteArray out;
    for (const QString &label : name.split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
        const QByteArray bytes = label.toLatin1();
        out.append(char(bytes.size())).append(bytes);
    }
    return out.append('\0');
}

// The question's name, lower-cased, and where the question ends; -1 when it is malformed.
qsizetype readQuestion(const QByteArray &query, QString &name, quint16 &type)
{
    qsizetype at = 12;
    QStringList labels;
    while (at < query.size() && query[at] != '\0') {
        const int length = quint8(query[at]);
        if (length > 63 || at + 1 + length > query.size())
            return -1;
        labels.append(QString::fromLatin1(query.mid(at + 1, length)).toLower());
        at += 1 + length;
    }
    if (at + 5 > query.size())
        return -1;
    name = labels.join(QLatin1Char('.'));
    type = qFromBigEndian<quint16>(query.constData() + at + 1);
    return at + 5;
}

} // namespace

TestNameServer::TestNameServer(Behaviour behaviour) : m_behaviour(behaviour)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
#else
    // 127.53.x.y, port 53.
    address.sin_addr.s_addr =
        htonl(0x7f350000u | (QRandomGenerator::global()->bounded(1, 0xfffe) & 0xffffu));
    address.sin_port = htons(53);
#endif
    m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    socklen_t length = sizeof address;
    if (m_socket < 0 || ::bind(m_socket, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
        ::getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        m_skipReason = QStringLiteral("no name server can listen on loopback: %1")
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_address = QHostAddress(ntohl(address.sin_addr.s_addr)).toString();
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serve(); });
}

TestNameServer::~TestNameServer()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_socket >= 0)
        ::close(m_socket);
}

void TestNameServer::addService(const QString &name, const QString &target, quint16 port)
{
    const std::lock_guard lock(m_mutex);
    m_services.insert(name.toLower(), {target, port});
}

void TestNameServer::addAddress(const QString &name, const QString &ipv4)
{
    const std::lock_guard lock(m_mutex);
    m_addresses[name.toLower()].append(ipv4);
}

void TestNameServer::serve()
{
    while (!m_stopping) {
        pollfd wait{m_socket, POLLIN, 0};
        if (::poll(&wait, 1, 20) <= 0)
            continue;
        char buffer[1500];
        sockaddr_storage from{};
        socklen_t fromLength = sizeof from;
        const ssize_t got = ::recvfrom(m_socket, buffer, sizeof buffer, 0,
                                       reinterpret_cast<sockaddr *>(&from), &fromLength);
        if (got <= 0)
            continue;
        ++m_queries;
        if (m_behaviour == Behaviour::Silent)
            continue;
        const QByteArray reply = answer(QByteArray(buffer, got));
        if (!reply.isEmpty())
            ::sendto(m_socket, reply.constData(), size_t(reply.size()), 0,
                     reinterpret_cast<sockaddr *>(&from), fromLength);
    }
}

QByteArray TestNameServer::answer(const QByteArray &query)
{
    QString name;
    quint16 type = 0;
    const qsizetype questionEnd = query.size() >= 12 ? readQuestion(query, name, type) : -1;
    if (questionEnd < 0)
        return {};
    QByteArray records;
    int count = 0;
    bool known = false;
    {
        const std::lock_guard lock(m_mutex);
        known = m_services.contains(name) || m_addresses.contains(name);
        // Each record names the question's name by a pointer to it, at offset 12.
        const auto record = [&](quint16 recordType, const QByteArray &data) {
            append16(records, 0xc00c);
            append16(records, recordType);
            append16(records, 1); // IN
            append32(records, 60);
            append16(records, quint16(data.size()));
            records.append(data);
            ++count;
        };
        if (type == typeSrv && m_services.contains(name)) {
            const auto &[target, port] = m_services.value(name);
            QByteArray data;
            append16(data, 0); // priority
            append16(data, 0); // weight
            append16(data, port);
            record(typeSrv, data.append(encodeName(target)));
        } else if (type == typeA) {
            for (const QString &address : m_addresses.value(name)) {
                QByteArray data;
                append32(data, QHostAddress(address).toIPv4Address());
                record(typeA, data);
            }
        }
    }
    QByteArray reply = query.left(2); // the query's id
    // A response, recursion desired and available; "no such name" for a name not known at all.
    append16(reply, quint16(0x8180 | (known ? 0 : noSuchName)));
    append16(reply, 1);
    append16(reply, quint16(count));
    append16(reply, 0);
    append16(reply, 0);
    return reply.append(query.mid(12, questionEnd - 12)).append(records);
}
