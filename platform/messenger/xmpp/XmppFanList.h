#pragma once

#include "platform/messenger/MessengerFans.h"

#include <memory>

class MessengerWaiter;
class XmppSessionThread;

// The fans of a live XMPP account, read and answered on the session's thread (see
// XmppSubscriptions); every call waits as the waiter says.
class XmppFanList : public MessengerFans
{
public:
    XmppFanList(std::weak_ptr<XmppSessionThread> session,
                std::shared_ptr<const MessengerWaiter> waiter);

    QList<Fan> list() override;
    QHash<QString, QString> add(const QStringList &addresses) override;
    QHash<QString, QString> drop(const QStringList &addresses) override;

private:
    std::shared_ptr<XmppSessionThread> liveSession() const;

    std::weak_ptr<XmppSessionThread> m_session;
    std::shared_ptr<const MessengerWaiter> m_waiter;
};
