#include "platform/messenger/xmpp/XmppSubscriptions.h"

#include "platform/base/Error.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/xmpp/XmppCancelled.h"
#include "platform/messenger/xmpp/XmppSession.h"
#include "platform/messenger/xmpp/XmppStanza.h"

#include <QMap>
#include <strophe.h>

using Fan = MessengerFans::Fan;
using Subscription = XmppRoster::Subscription;

QList<Fan> XmppSubscriptions::fans()
{
    const XmppRoster &roster = m_session.roster();
    QMap<QString, Fan> found;
    for (const MessengerUser &user : roster.reverseList()) {
        const QString &jid = user.member(u"EmailAddress");
        const std::optional<XmppRoster::Item> item = roster.item(jid);
        if (roster.hasRequest(jid))
            found.insert(jid, {jid, user.member(u"FriendlyName"), Fan::Kind::Request});
        else if (item && item->subscription == Subscription::From)
            found.insert(jid, {jid, user.member(u"FriendlyName"), Fan::Kind::OneWay});
    }
    return found.values();
}

QHash<QString, QString> XmppSubscriptions::add(const QStringList &jids)
{
    return answer(jids, [this](const QString &jid) {
        addOne(jid);
        return true;
    });
}

QHash<QString, QString> XmppSubscriptions::drop(const QStringList &jids)
{
    return answer(jids, [this](const QString &jid) {
        // Only a declined request goes out as a presence; a roster removal is answered itself.
        const bool request = m_session.roster().hasRequest(jid);
        dropOne(jid);
        return request;
    });
}

QHash<QString, QString>
XmppSubscriptions::answer(const QStringList &jids,
                          const std::function<bool(const QString &jid)> &answerOne)
{
    QHash<QString, QString> failed;
    QStringList sent;
    for (const QString &jid : jids) {
        try {
            if (answerOne(jid))
                sent.append(jid);
        } catch (const XmppCancelled &) {
            throw;
        } catch (const Error &error) {
            failed.insert(jid, error.message());
        }
    }
    if (const QString lost = confirm(sent); !lost.isEmpty()) {
        for (const QString &jid : sent)
            failed.insert(jid, lost);
    }
    return failed;
}

void XmppSubscriptions::addOne(const QString &jid)
{
    const XmppRoster &roster = m_session.roster();
    const std::optional<XmppRoster::Item> item = roster.item(jid);
    // A stranger's request: the roster gets the item before the answers, so that the
    // subscription lands on an item the user can see in every client.
    if (!item)
        addToRoster(jid);
    if (roster.hasRequest(jid)) {
        sendPresence(jid, "subscribed");
        m_session.forgetRequest(jid);
    }
    if (!item || item->subscription == Subscription::None ||
        item->subscription == Subscription::From)
        sendPresence(jid, "subscribe");
}

void XmppSubscriptions::dropOne(const QString &jid)
{
    const XmppRoster &roster = m_session.roster();
    if (roster.hasRequest(jid)) {
        sendPresence(jid, "unsubscribed");
        m_session.forgetRequest(jid);
        return;
    }
    // Taking the item off ends their subscription, and leaves no "none" item behind that
    // would read as a contact the user has.
    const std::optional<XmppRoster::Item> item = roster.item(jid);
    if (!item || item->subscription != Subscription::From)
        throw MessengerError(
            QStringLiteral("«%1» ya no recibe tu presencia ni espera respuesta").arg(jid));
    m_session.removeContact(jid);
}

void XmppSubscriptions::addToRoster(const QString &jid)
{
    XmppConnection &connection = m_session.connection();
    XmppConnection::StanzaPtr iq = connection.newIq("set");
    xmpp_stanza_t *query = connection.addChild(iq.get(), "query", XmppStanza::rosterNs);
    xmpp_stanza_set_attribute(connection.addChild(query, "item"), "jid", jid.toUtf8().constData());
    const QString what = QStringLiteral("agregar a «%1» a la lista de contactos").arg(jid);
    const XmppConnection::StanzaPtr answer =
        connection.request(std::move(iq), m_session.settings().requestTimeLimit, what);
    if (XmppStanza::isError(answer.get()))
        throw MessengerError(QStringLiteral("No se pudo %1: el servidor lo rechazó (%2)")
                                 .arg(what, XmppStanza::errorText(answer.get())));
}

void XmppSubscriptions::sendPresence(const QString &jid, const char *type)
{
    XmppConnection &connection = m_session.connection();
    if (!connection.isConnected())
        throw MessengerError(QStringLiteral("No se pudo responder a «%1»: se perdió la conexión "
                                            "con el servidor")
                                 .arg(jid));
    XmppConnection::StanzaPtr presence = connection.newStanza("presence");
    xmpp_stanza_set_to(presence.get(), jid.toUtf8().constData());
    xmpp_stanza_set_type(presence.get(), type);
    connection.send(presence.get());
}

QString XmppSubscriptions::confirm(const QStringList &sent)
{
    if (sent.isEmpty())
        return {};
    XmppConnection &connection = m_session.connection();
    XmppConnection::StanzaPtr iq = connection.newIq("get");
    xmpp_stanza_set_to(iq.get(),
                       m_session.signInName().section(QLatin1Char('@'), 1).toUtf8().constData());
    connection.addChild(iq.get(), "ping", XmppStanza::pingNs);
    try {
        // Any answer will do, an error included: only its arrival counts.
        connection.request(std::move(iq), m_session.settings().requestTimeLimit,
                           QStringLiteral("confirmar las respuestas con el servidor"));
        m_session.processPending();
    } catch (const XmppCancelled &) {
        throw;
    } catch (const Error &error) {
        return error.message();
    }
    return {};
}
