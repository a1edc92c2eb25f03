#include "platform/messenger/xmpp/XmppInitialPresence.h"

#include "platform/messenger/xmpp/XmppConnection.h"
#include "platform/messenger/xmpp/XmppStanza.h"

#include <algorithm>
#include <strophe.h>

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
    m_connection.addChild(iq.get(), "query", XmppStanza::discoInfoNs);
    const XmppConnection::StanzaPtr answer = m_connection.request(
        std::move(iq), m_timeLimit, QStringLiteral("consultar los servicios del servidor"));
    if (!XmppStanza::isResult(answer.get()))
        return false;
    xmpp_stanza_t *query = XmppStanza::child(answer.get(), "query", XmppStanza::discoInfoNs);
    const QList<xmpp_stanza_t *> features = XmppStanza::children(query, "feature");
    return std::any_of(features.cbegin(), features.cend(), [](xmpp_stanza_t *feature) {
        return XmppStanza::attribute(feature, "var") == QLatin1String(XmppStanza::offlineNs);
    });
}

bool XmppInitialPresence::isProsody()
{
    XmppConnection::StanzaPtr iq = m_connection.newIq("get");
    xmpp_stanza_set_to(iq.get(), m_account.section(QLatin1Char('@'), 1).toUtf8().constData());
    m_connection.addChild(iq.get(), "query", XmppStanza::versionNs);
    const XmppConnection::StanzaPtr answer = m_connection.request(
        std::move(iq), m_timeLimit, QStringLiteral("consultar el programa del servidor"));
    if (!XmppStanza::isResult(answer.get()))
        return false;
    xmpp_stanza_t *name =
        XmppStanza::child(XmppStanza::child(answer.get(), "query", XmppStanza::versionNs), "name");
    return XmppStanza::text(name).trimmed().compare(u"Prosody", Qt::CaseInsensitive) == 0;
}

bool XmppInitialPresence::keepOfflineMessages()
{
    // Asking for the headers before the first presence tells the server that this client
    // fetches offline messages itself, so it does not push them; this client never fetches any.
    XmppConnection::StanzaPtr iq = m_connection.newIq("get");
    xmpp_stanza_t *query = m_connection.addChild(iq.get(), "query", XmppStanza::discoItemsNs);
    xmpp_stanza_set_attribute(query, "node", XmppStanza::offlineNs);
    return XmppStanza::isResult(m_connection
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
