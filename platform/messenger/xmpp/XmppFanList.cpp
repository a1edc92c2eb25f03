#include "platform/messenger/xmpp/XmppFanList.h"

#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerWaiter.h"
#include "platform/messenger/xmpp/XmppSession.h"
#include "platform/messenger/xmpp/XmppSessionThread.h"
#include "platform/messenger/xmpp/XmppSubscriptions.h"

XmppFanList::XmppFanList(std::weak_ptr<XmppSessionThread> session,
                         std::shared_ptr<const MessengerWaiter> waiter)
    : m_session(std::move(session)), m_waiter(std::move(waiter))
{
}

QList<MessengerFans::Fan> XmppFanList::list()
{
    const std::shared_ptr<XmppSessionThread> session = liveSession();
    QList<Fan> fans = session->call<QList<Fan>>(
        *m_waiter, [](XmppSession &live) { return XmppSubscriptions(live).fans(); });
    // A list read after the connection was lost would be the roster as it was.
    if (!session->isSignedIn())
        throw MessengerError(QStringLiteral("Se perdió la conexión con el servidor XMPP de %1")
                                 .arg(session->account().signInName));
    return fans;
}

QHash<QString, QString> XmppFanList::add(const QStringList &addresses)
{
    return liveSession()->call<QHash<QString, QString>>(*m_waiter, [addresses](XmppSession &live) {
        return XmppSubscriptions(live).add(addresses);
    });
}

QHash<QString, QString> XmppFanList::drop(const QStringList &addresses)
{
    return liveSession()->call<QHash<QString, QString>>(*m_waiter, [addresses](XmppSession &live) {
        return XmppSubscriptions(live).drop(addresses);
    });
}

std::shared_ptr<XmppSessionThread> XmppFanList::liveSession() const
{
    std::shared_ptr<XmppSessionThread> live = m_session.lock();
    if (!live)
        throw MessengerError(QStringLiteral("El cliente XMPP ya se cerró"));
    return live;
}
