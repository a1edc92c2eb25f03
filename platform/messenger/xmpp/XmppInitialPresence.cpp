#include "platform/messenger/xmpp/XmppInitialPresence.h"

#include "platform/messenger/xmpp/XmppConnection.h"
#include "platform/messenger/xmpp/XmppStanzaReader.h"

#include <cstring>
#include <strophe.h>

namespace {

constexpr char discoInfoNs[] = "http://jabber.org/protocol/disco#info";
constexpr char discoItemsNs[] = "http://jabber.org/protocol/disco#items";
constexpr char offlineNs[] = "http://jabber.org/protocol/offline";
constexpr char versionNs[] = "jabber:iq:version";

bool isResult(xmpp_stanza_t *answer)
{
    const char *type = xmpp_stanza_get_type(answer);
    return type && std::strcmp(type, "result") == 0;
}

} // namespace

XmppInitialPresence::XmppInitialPresence(XmppConnection &connection, QString account,
                                         std::chrono::milliseconds timeLimit)
    : m_connection(connection), m_account(std::move(account)), m_timeLimit(timeLimit)
{
}

void XmppInitialPresence::announce()
{
    const QString domain = m_account.section(QLatin1Char('@'), 1);
    if (offersFlexibleOffline(domain) || offersFlexibleOffline(m_account)) {
        if (keepOfflineMessages()) {
            m_raised = true;
            sendPresence(0);
            return;
        }
    } else if (isProsody()) {
        sendPresence(-1);
        return;
    }
    m_notice = QStringLiteral("No se pudieron leer las solicitudes de contacto pendientes en "
                              "este servidor sin quitarle sus mensajes sin conexión: un contacto "
                              "de la lista puede haber pedido agregarle de nuevo.");
    sendPresence(-1);
}

void XmppInitialPresence::settle()
{
    if (m_raised && m_connection.isConnected())
        sendPresence(-1);
    m_raised = false;
}

bool XmppInitialPresence::offersFlexibleOffline(const QString &target)
{
    XmppConnection::StanzaPtr iq = m_connection.newIq("get");
    xmpp_stanza_set_to(iq.get(), target.toUtf8().constData());
    m_connection.addChild(iq.get(), "query", discoInfoNs);
    const XmppConnection::StanzaPtr answer = m_connection.request(
        std::move(iq), m_timeLimit, QStringLiteral("consultar los servicios del servidor"));
    xmpp_stanza_t *query =
        isResult(answer.get())
            ? xmpp_stanza_get_child_by_name_and_ns(answer.get(), "query", discoInfoNs)
            : nullptr;
    for (xmpp_stanza_t *child = query ? xmpp_stanza_get_children(query) : nullptr; child;
         child = xmpp_stanza_get_next(child)) {
        if (xmpp_stanza_is_tag(child) && std::strcmp(xmpp_stanza_get_name(child), "feature") == 0 &&
            XmppStanzaReader::attribute(child, "var") == QLatin1String(offlineNs))
            return true;
    }
    return false;
}

bool XmppInitialPresence::isProsody()
{
    XmppConnection::StanzaPtr iq = m_connection.newIq("get");
    xmpp_stanza_set_to(iq.get(), m_account.section(QLatin1Char('@'), 1).toUtf8().constData());
    m_connection.addChild(iq.get(), "query", versionNs);
    const XmppConnection::StanzaPtr answer = m_connection.request(
        std::move(iq), m_timeLimit, QStringLiteral("consultar el programa del servidor"));
    xmpp_stanza_t *query =
        isResult(answer.get())
            ? xmpp_stanza_get_child_by_name_and_ns(answer.get(), "query", versionNs)
            : nullptr;
    xmpp_stanza_t *name = query ? xmpp_stanza_get_child_by_name(query, "name") : nullptr;
    return name &&
           XmppStanzaReader::text(name).trimmed().compare(u"Prosody", Qt::CaseInsensitive) == 0;
}

bool XmppInitialPresence::keepOfflineMessages()
{
    // Asking for the headers before the first presence tells the server that this client
    // fetches offline messages itself, so it does not push them; this client never fetches any.
    XmppConnection::StanzaPtr iq = m_connection.newIq("get");
    xmpp_stanza_t *query = m_connection.addChild(iq.get(), "query", discoItemsNs);
    xmpp_stanza_set_attribute(query, "node", offlineNs);
    return isResult(m_connection
                        .request(std::move(iq), m_timeLimit,
                                 QStringLiteral("consultar los mensajes sin conexión"))
                        .get());
}

void XmppInitialPresence::sendPresence(int priority)
{
    XmppConnection::StanzaPtr presence = m_connection.newStanza("presence");
    m_connection.addText(m_connection.addChild(presence.get(), "priority"),
                         QString::number(priority));
    m_connection.send(presence.get());
}
