#pragma once

#include "platform/messenger/MessengerUser.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <optional>

// The user's roster as the client knows it, and the two Messenger lists made from it:
// - the contact list holds the items the user receives presence from or asked for
//   (subscription "to", "both" or "none");
// - the reverse list holds the items that receive the user's presence ("from", "both") and
//   everyone whose request to subscribe to the user is still unanswered.
// Both lists are sorted by bare address (UTF-16 code unit order), so they keep their order
// between runs and do not depend on the order the server sends items in.
class XmppRoster
{
public:
    enum class Subscription { None, To, From, Both };

    struct Item
    {
        QString jid;
        QString name;
        Subscription subscription = Subscription::None;
    };

    // The roster's "subscription" attribute; absent means "none". Returns nullopt for
    // "remove" and for values the protocol does not know.
    static std::optional<Subscription> parseSubscription(const QString &value);

    // Replaces every item, as after the roster is fetched; the requests stay.
    void reset(const QList<Item> &items);
    // Adds or changes one item, as a roster push does.
    void update(const Item &item);
    void remove(const QString &jid);

    void addRequest(const QString &jid);
    void dropRequest(const QString &jid);

    std::optional<Item> item(const QString &jid) const;
    bool hasRequest(const QString &jid) const;

    // Snapshots that later changes leave alone. They are built again only after a change and
    // shared until then, so asking for a list once per contact, as the scan does, costs nothing.
    QList<MessengerUser> contactList() const;
    QList<MessengerUser> reverseList() const;
    // Goes up at every change, so that a caller can tell its snapshots are still current.
    quint64 revision() const { return m_revision; }

private:
    void invalidate();
    static MessengerUser userFor(const Item &item);

    QMap<QString, Item> m_items;
    QSet<QString> m_requests;
    mutable std::optional<QList<MessengerUser>> m_contactList;
    mutable std::optional<QList<MessengerUser>> m_reverseList;
    quint64 m_revision = 0;
};
