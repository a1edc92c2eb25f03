#include "platform/messenger/xmpp/XmppRoster.h"

#include <QStringList>
#include <algorithm>

std::optional<XmppRoster::Subscription> XmppRoster::parseSubscription(const QString &value)
{
    if (value.isEmpty() || value == u"none")
        return Subscription::None;
    if (value == u"to")
        return Subscription::To;
    if (value == u"from")
        return Subscription::From;
    if (value == u"both")
        return Subscription::Both;
    return std::nullopt;
}

void XmppRoster::reset(const QList<Item> &items)
{
    m_items.clear();
    for (const Item &item : items)
        m_items.insert(item.jid, item);
    invalidate();
}

void XmppRoster::update(const Item &item)
{
    m_items.insert(item.jid, item);
    invalidate();
}

void XmppRoster::remove(const QString &jid)
{
    if (m_items.remove(jid) > 0)
        invalidate();
}

void XmppRoster::addRequest(const QString &jid)
{
    if (!m_requests.contains(jid)) {
        m_requests.insert(jid);
        invalidate();
    }
}

void XmppRoster::dropRequest(const QString &jid)
{
    if (m_requests.remove(jid))
        invalidate();
}

std::optional<XmppRoster::Item> XmppRoster::item(const QString &jid) const
{
    const auto found = m_items.constFind(jid);
    if (found == m_items.cend())
        return std::nullopt;
    return *found;
}

bool XmppRoster::hasRequest(const QString &jid) const
{
    return m_requests.contains(jid);
}

QList<MessengerUser> XmppRoster::contactList() const
{
    if (!m_contactList) {
        QList<MessengerUser> list;
        for (const Item &item : m_items) {
            if (item.subscription != Subscription::From)
                list.append(userFor(item));
        }
        m_contactList = std::move(list);
    }
    return *m_contactList;
}

QList<MessengerUser> XmppRoster::reverseList() const
{
    if (!m_reverseList) {
        QMap<QString, MessengerUser> users;
        for (const Item &item : m_items) {
            if (item.subscription == Subscription::From || item.subscription == Subscription::Both)
                users.insert(item.jid, userFor(item));
        }
        for (const QString &jid : m_requests) {
            if (!users.contains(jid)) {
                const auto known = m_items.constFind(jid);
                users.insert(jid, userFor(known != m_items.cend() ? *known : Item{jid, {}}));
            }
        }
        m_reverseList = users.values();
    }
    return *m_reverseList;
}

void XmppRoster::invalidate()
{
    ++m_revision;
    m_contactList.reset();
    m_reverseList.reset();
}

MessengerUser XmppRoster::userFor(const Item &item)
{
    return MessengerUser(item.jid, item.name.isEmpty() ? item.jid : item.name);
}
