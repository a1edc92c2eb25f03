#pragma once

#include "platform/messenger/MessengerFans.h"

#include <functional>

class XmppSession;

// The people who receive the user's presence without the user receiving theirs (roster
// subscription "from") and the subscription requests still unanswered, and the answers to
// them: subscribing back, approving, revoking, declining. Works on the session's thread.
class XmppSubscriptions
{
public:
    explicit XmppSubscriptions(XmppSession &session) : m_session(session) {}

    QList<MessengerFans::Fan> fans();
    // Approves jid's waiting request, if any, and asks for jid's presence, adding jid to the
    // roster first when it is not there. Failures by address, with the reason.
    QHash<QString, QString> add(const QStringList &jids);
    // Declines jid's waiting request, or takes a "from" item off the roster, which ends jid's
    // subscription to the user. Failures by address, with the reason.
    QHash<QString, QString> drop(const QStringList &jids);

private:
    // Runs answerOne on each address, which says whether it sent a presence to confirm; then
    // confirms those. Failures by address, with the reason.
    QHash<QString, QString> answer(const QStringList &jids,
                                   const std::function<bool(const QString &jid)> &answerOne);
    void addOne(const QString &jid);
    void dropOne(const QString &jid);
    void addToRoster(const QString &jid);
    void sendPresence(const QString &jid, const char *type);
    // A round trip after presences, which the server never answers: once the server has
    // answered it, it has read them, and a lost connection shows here.
    QString confirm(const QStringList &sent);

    XmppSession &m_session;
};
