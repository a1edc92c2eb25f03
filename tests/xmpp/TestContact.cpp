#include "tests/xmpp/TestContact.h"

#include "platform/messenger/xmpp/XmppStanza.h"
#include "tests/xmpp/TestServer.h"

#include <QDeadlineTimer>
#include <QThread>
#include <stdexcept>
#include <strophe.h>

namespace {

constexpr std::chrono::milliseconds timeLimit{10000};

} // namespace

TestContact::TestContact(const TestServer &server, const QString &user) : m_jid(server.jid(user))
{
    m_connection.setStanzaHandler([this](xmpp_stanza_t *stanza) {
        if (std::string_view(xmpp_stanza_get_name(stanza)) != "message")
            return;
        if (xmpp_stanza_t *body = xmpp_stanza_get_child_by_name(stanza, "body"))
            m_messages.append(XmppStanza::text(body));
    });
    QByteArray password = server.password;
    m_connection.connect(server.settings(user), password);
}

void TestContact::presence(const QString &to, const char *type)
{
    XmppConnection::StanzaPtr stanza = m_connection.newStanza("presence");
    xmpp_stanza_set_type(stanza.get(), type);
    xmpp_stanza_set_to(stanza.get(), to.toUtf8().constData());
    m_connection.send(stanza.get());
    sync();
}

void TestContact::setRosterItem(const QString &jid, const QString &name)
{
    XmppConnection::StanzaPtr iq = m_connection.newIq("set");
    xmpp_stanza_t *item =
        m_connection.addChild(m_connection.addChild(iq.get(), "query", "jabber:iq:roster"), "item");
    xmpp_stanza_set_attribute(item, "jid", jid.toUtf8().constData());
    xmpp_stanza_set_attribute(item, "name", name.toUtf8().constData());
    expectResult(std::move(iq), "set roster item " + jid);
}

void TestContact::removeRosterItem(const QString &jid)
{
    XmppConnection::StanzaPtr iq = m_connection.newIq("set");
    xmpp_stanza_t *item =
        m_connection.addChild(m_connection.addChild(iq.get(), "query", "jabber:iq:roster"), "item");
    xmpp_stanza_set_attribute(item, "jid", jid.toUtf8().constData());
    xmpp_stanza_set_attribute(item, "subscription", "remove");
    expectResult(std::move(iq), "remove roster item " + jid);
}

QMap<QString, QString> TestContact::roster()
{
    XmppConnection::StanzaPtr iq = m_connection.newIq("get");
    m_connection.addChild(iq.get(), "query", "jabber:iq:roster");
    const XmppConnection::StanzaPtr answer =
        m_connection.request(std::move(iq), timeLimit, "roster");
    QMap<QString, QString> items;
    xmpp_stanza_t *query = xmpp_stanza_get_child_by_name(answer.get(), "query");
    for (xmpp_stanza_t *item = query ? xmpp_stanza_get_children(query) : nullptr; item;
         item = xmpp_stanza_get_next(item)) {
        if (!xmpp_stanza_is_tag(item))
            continue;
        QString state = XmppStanza::attribute(item, "subscription");
        if (!XmppStanza::attribute(item, "ask").isEmpty())
            state += QStringLiteral("+ask");
        items.insert(XmppStanza::attribute(item, "jid"), state);
    }
    return items;
}

void TestContact::setVcardNickname(const QString &nickname)
{
    XmppConnection::StanzaPtr iq = m_connection.newIq("set");
    xmpp_stanza_t *vcard = m_connection.addChild(iq.get(), "vCard", "vcard-temp");
    m_connection.addText(m_connection.addChild(vcard, "NICKNAME"), nickname);
    expectResult(std::move(iq), "set vCard");
}

void TestContact::publishNickname(const QString &nickname)
{
    XmppConnection::StanzaPtr iq = m_connection.newIq("set");
    xmpp_stanza_t *publish = m_connection.addChild(
        m_connection.addChild(iq.get(), "pubsub", "http://jabber.org/protocol/pubsub"), "publish");
    xmpp_stanza_set_attribute(publish, "node", "http://jabber.org/protocol/nick");
    xmpp_stanza_t *nick = m_connection.addChild(m_connection.addChild(publish, "item"), "nick",
                                                "http://jabber.org/protocol/nick");
    m_connection.addText(nick, nickname);
    expectResult(std::move(iq), "publish nick");
}

void TestContact::sendMessage(const QString &to, const QString &body)
{
    XmppConnection::StanzaPtr message = m_connection.newStanza("message");
    xmpp_stanza_set_type(message.get(), "chat");
    xmpp_stanza_set_to(message.get(), to.toUtf8().constData());
    m_connection.addText(m_connection.addChild(message.get(), "body"), body);
    m_connection.send(message.get());
    sync();
}

QStringList TestContact::comeOnline()
{
    XmppConnection::StanzaPtr presence = m_connection.newStanza("presence");
    m_connection.send(presence.get());
    sync();
    const QDeadlineTimer deadline(1000);
    while (!deadline.hasExpired()) {
        m_connection.processPending();
        QThread::msleep(10);
    }
    return m_messages;
}

void TestContact::sync()
{
    // The server handles a session's stanzas in order: once the ping is answered, everything
    // sent before it has been dealt with.
    XmppConnection::StanzaPtr iq = m_connection.newIq("get");
    m_connection.addChild(iq.get(), "ping", "urn:xmpp:ping");
    m_connection.request(std::move(iq), timeLimit, "ping");
}

void TestContact::expectResult(XmppConnection::StanzaPtr iq, const QString &what)
{
    const XmppConnection::StanzaPtr answer = m_connection.request(std::move(iq), timeLimit, what);
    const char *type = xmpp_stanza_get_type(answer.get());
    if (!type || std::string_view(type) != "result")
        throw std::runtime_error(m_jid.toStdString() + ": " + what.toStdString() +
                                 " refused: " + XmppStanza::errorText(answer.get()).toStdString());
}
