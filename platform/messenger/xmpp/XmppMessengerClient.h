#pragma once

#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerUser.h"

#include <QList>

class MessengerWaiter;
class XmppFanList;
class PasswordSource;
class UserTable;
class XmppSessionThread;
struct XmppSettings;

// The Messenger client on a live XMPP account. Signing in happens when it is made; the lists
// come from the account's roster (see XmppRoster) and follow the server's changes while the
// program runs. The default service is signed in (state 2) while the connection lasts and
// signed out (1) once it is lost; the lists then refuse to be read rather than show a stale
// roster.
class XmppMessengerClient : public MessengerClient
{
public:
    // Asks passwords for the password and signs in; throws MessengerError when the sign-in
    // fails, saying why. This and every later call that needs the server wait as waiter says.
    XmppMessengerClient(const XmppSettings &settings, PasswordSource &passwords,
                        std::shared_ptr<const MessengerWaiter> waiter);
    // Serves a session that has signed in already (see XmppSignIn).
    XmppMessengerClient(std::shared_ptr<XmppSessionThread> signedIn,
                        std::shared_ptr<const MessengerWaiter> waiter);
    ~XmppMessengerClient() override;

    std::shared_ptr<MessengerServiceSet> serviceSet() override;
    std::shared_ptr<MessengerUserList> userList(qint32 listNumber) override;
    // Finds the roster item with exactly this bare address, or someone waiting for an answer
    // to a subscription request.
    std::shared_ptr<const MessengerUser> lookUpUser(const QString &emailAddress,
                                                    const MessengerService &service) override;
    // Set when the server offers no way to read the subscription requests it kept without
    // taking the user's offline messages.
    QString scanWarning() const override;
    // The roster's "from" items and the unanswered subscription requests.
    MessengerFans *fans() override;
    // While holding, removals from the contact list go out back to back, without waiting for
    // each other's answers; the commit waits for them all and gives the server's refusals.
    void setHoldingRemovals(bool holding) override;
    QHash<QString, QString> commitRemovals() override;
    // Each commit waits a round trip for the last answers: groups of a few seconds pay it seldom.
    qint64 removalGroupMs() const override;

private:
    // A list as the roster last gave it, its table for the scan's walk, and the roster's
    // revision it was read at.
    struct LaidOutList
    {
        QList<MessengerUser> users;
        std::shared_ptr<const UserTable> table;
        quint64 revision = 0;
    };

    void throwIfSignedOut() const;
    // The list as the roster has it now, read again only when the roster changed.
    const LaidOutList &laidOutList(qint32 listNumber);

    LaidOutList m_laidOut[2];
    // Shared with the handed-out objects, which see it go away with the client.
    std::shared_ptr<XmppSessionThread> m_session;
    std::shared_ptr<const MessengerWaiter> m_waiter;
    std::unique_ptr<XmppFanList> m_fans;
};
