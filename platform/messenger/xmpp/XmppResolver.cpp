#include "platform/messenger/xmpp/XmppResolver.h"

#include "platform/messenger/MessengerError.h"
#include "platform/messenger/xmpp/XmppSettings.h"

#include <QDnsLookup>
#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QTimer>
#include <memory>

namespace {

// Turns this thread's events until every look-up started reported, or until stop or the
// deadline ends the wait. The look-ups report through this thread's event queue, which is why
// the wait runs an event loop rather than sleeping.
class LookupWait
{
public:
    LookupWait(const XmppResolver::StopCheck &stop, const QDeadlineTimer &deadline)
        : m_stop(stop), m_deadline(deadline)
    {
    }

    void started() { ++m_pending; }
    void finished()
    {
        if (--m_pending == 0)
            m_loop.quit();
    }
    // False when stop or the deadline came first.
    bool wait()
    {
        const auto stopped = [this] { return m_stop() || m_deadline.hasExpired(); };
        if (m_pending == 0 || stopped())
            return !stopped();
        QTimer tick;
        tick.setInterval(10);
        QObject::connect(&tick, &QTimer::timeout, &m_loop, [&] {
            if (stopped())
                m_loop.quit();
        });
        tick.start();
        m_loop.exec();
        return m_pending == 0 && !stopped();
    }

private:
    const XmppResolver::StopCheck &m_stop;
    const QDeadlineTimer &m_deadline;
    QEventLoop m_loop;
    int m_pending = 0;
};

bool isNumeric(const QString &host)
{
    return !QHostAddress(host).isNull();
}

} // namespace

XmppResolver::XmppResolver(const XmppSettings &settings, StopCheck stop)
    : m_domain(settings.domain()), m_host(settings.host), m_port(settings.port),
      m_nameServer(settings.nameServer), m_nameServerPort(settings.nameServerPort),
      m_stop(std::move(stop))
{
#if QT_VERSION < QT_VERSION_CHECK(6, 6, 0)
    if (!m_nameServer.isEmpty() && m_nameServerPort != 53)
        throw MessengerError(QStringLiteral("No se puede consultar el servidor de nombres %1 en "
                                            "el puerto %2: esta versión de Qt solo usa el 53")
                                 .arg(m_nameServer)
                                 .arg(m_nameServerPort));
#endif
    if (!m_nameServer.isEmpty() && !isNumeric(m_nameServer))
        throw MessengerError(
            QStringLiteral("«%1» no es la dirección numérica de un servidor de nombres")
                .arg(m_nameServer));
}

std::optional<QList<XmppResolver::Endpoint>> XmppResolver::resolve(const QDeadlineTimer &deadline)
{
    // A host or a port in the account says where the server is: no service records.
    if (!m_host.isEmpty() || m_port != 0) {
        const QString host = m_host.isEmpty() ? m_domain : m_host;
        return addresses({{host, m_port != 0 ? m_port : defaultPort}}, deadline);
    }
    const std::optional<QList<Target>> targets = serviceTargets(deadline);
    if (!targets)
        return std::nullopt;
    return addresses(*targets, deadline);
}

std::optional<QList<XmppResolver::Target>>
XmppResolver::serviceTargets(const QDeadlineTimer &deadline)
{
    QDnsLookup lookup(QDnsLookup::SRV, QStringLiteral("_xmpp-client._tcp.") + m_domain);
    if (!m_nameServer.isEmpty()) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
        lookup.setNameserver(QHostAddress(m_nameServer), m_nameServerPort);
#else
        lookup.setNameserver(QHostAddress(m_nameServer));
#endif
    }
    LookupWait wait(m_stop, deadline);
    QObject::connect(&lookup, &QDnsLookup::finished, &lookup, [&wait] { wait.finished(); });
    wait.started();
    lookup.lookup();
    if (!wait.wait()) {
        lookup.abort();
        return std::nullopt;
    }
    if (lookup.error() != QDnsLookup::NoError || lookup.serviceRecords().isEmpty())
        return QList<Target>{{m_domain, defaultPort}}; // no records: the domain itself
    const QList<QDnsServiceRecord> records = lookup.serviceRecords();
    // A single record for "." says the domain offers no XMPP service at all.
    if (records.size() == 1 &&
        (records.first().target().isEmpty() || records.first().target() == QLatin1String(".")))
        return QList<Target>();
    // Qt gives them in the protocol's order: by priority, then at random by weight.
    QList<Target> targets;
    for (const QDnsServiceRecord &record : records)
        targets.append({record.target(), record.port()});
    return targets;
}

std::optional<QList<XmppResolver::Endpoint>> XmppResolver::addresses(const QList<Target> &targets,
                                                                     const QDeadlineTimer &deadline)
{
    // Every target is looked up at once; the answers are then put back in the targets' order.
    QList<QList<QHostAddress>> found(targets.size());
    std::vector<std::unique_ptr<QDnsLookup>> lookups;
    QObject context; // the host look-ups report to it, and to nothing once it is gone
    QList<int> hostLookups;
    LookupWait wait(m_stop, deadline);
    for (qsizetype i = 0; i < targets.size(); ++i) {
        const QString &host = targets[i].host;
        if (isNumeric(host)) {
            found[i].append(QHostAddress(host));
        } else if (m_nameServer.isEmpty()) {
            // The system's own look-up, which knows the hosts file as well as the name servers.
            wait.started();
            hostLookups.append(
                QHostInfo::lookupHost(host, &context, [&wait, &found, i](const QHostInfo &info) {
                    found[i] = info.addresses();
                    wait.finished();
                }));
        } else {
            for (const QDnsLookup::Type type : {QDnsLookup::AAAA, QDnsLookup::A}) {
                auto lookup = std::make_unique<QDnsLookup>(type, host);
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
                lookup->setNameserver(QHostAddress(m_nameServer), m_nameServerPort);
#else
                lookup->setNameserver(QHostAddress(m_nameServer));
#endif
                QDnsLookup *raw = lookup.get();
                QObject::connect(raw, &QDnsLookup::finished, raw, [&wait, &found, raw, i] {
                    for (const QDnsHostAddressRecord &record : raw->hostAddressRecords())
                        found[i].append(record.value());
                    wait.finished();
                });
                wait.started();
                raw->lookup();
                lookups.push_back(std::move(lookup));
            }
        }
    }
    if (!wait.wait()) {
        for (const int id : hostLookups)
            QHostInfo::abortHostLookup(id);
        for (const auto &lookup : lookups)
            lookup->abort();
        return std::nullopt;
    }
    QList<Endpoint> endpoints;
    for (qsizetype i = 0; i < targets.size(); ++i) {
        for (const QHostAddress &address : found[i])
            endpoints.append({address.toString(), targets[i].port});
    }
    return endpoints;
}
