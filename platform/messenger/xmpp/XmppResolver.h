#pragma once

#include <QDeadlineTimer>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

struct XmppSettings;

// Finds the addresses to connect to for an account, without blocking the thread that asks: the
// look-ups run in Qt's own threads while this one waits in short slices, so that a cancel or
// the time limit ends the wait at once, even when a name server never answers.
//
// The account's domain is looked up as the protocol says: its _xmpp-client._tcp service
// records, in their order, else the domain itself on port 5222; then each target's IPv6 and
// IPv4 addresses. A host or port given in the account skips the service records. The addresses
// come back in numeric form, so that the library connects to them without a look-up of its own.
class XmppResolver
{
public:
    static constexpr quint16 defaultPort = 5222;

    struct Endpoint
    {
        QString address; // numeric, IPv4 or IPv6
        quint16 port = 0;
        friend bool operator==(const Endpoint &, const Endpoint &) = default;
    };
    // Polled while waiting: true ends the look-up.
    using StopCheck = std::function<bool()>;

    XmppResolver(const XmppSettings &settings, StopCheck stop);

    // Every address to try, in order; empty when the domain or host has none (or the domain
    // says it offers no XMPP service). std::nullopt when stop or the deadline ended the wait.
    // Throws MessengerError when the settings name a name server this build cannot use.
    std::optional<QList<Endpoint>> resolve(const QDeadlineTimer &deadline);

private:
    struct Target
    {
        QString host;
        quint16 port = 0;
    };
    std::optional<QList<Target>> serviceTargets(const QDeadlineTimer &deadline);
    std::optional<QList<Endpoint>> addresses(const QList<Target> &targets,
                                             const QDeadlineTimer &deadline);

    QString m_domain;
    QString m_host;
    quint16 m_port = 0;
    QString m_nameServer;
    quint16 m_nameServerPort = 53;
    StopCheck m_stop;
};
