#pragma once

#include "platform/messenger/xmpp/XmppConnection.h"

#include <QMap>
#include <QString>
#include <QStringList>

struct TestServer;

// Another person's session on the test server, used to put the user's roster in a given
// state over real XMPP. Every call returns once the server has handled it.
class TestContact
{
public:
    TestContact(const TestServer &server, const QString &user);

    QString jid() const { return m_jid; }
    // Sends <presence type=.../> to someone: subscribe, subscribed, unsubscribe, unsubscribed.
    void presence(const QString &to, const char *type);
    // Adds or renames an item on this account's roster.
    void setRosterItem(const QString &jid, const QString &name);
    void removeRosterItem(const QString &jid);
    // The account's roster on the server: address -> subscription (with "+ask" when asked).
    QMap<QString, QString> roster();
    void setVcardNickname(const QString &nickname);
    void publishNickname(const QString &nickname);
    void sendMessage(const QString &to, const QString &body);
    // Sends initial presence with priority 0, as an ordinary client does, which makes the server
    // hand over the messages it kept; returns the bodies received within a second.
    QStringList comeOnline();

private:
    void sync();
    void expectResult(XmppConnection::StanzaPtr iq, const QString &what);

    QString m_jid;
    XmppConnection m_connection;
    QStringList m_messages;
};
