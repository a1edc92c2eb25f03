#include "platform/messenger/xmpp/XmppInitialPresence.h"

#include "platform/messenger/xmpp/XmppConnection.h"
#include "platform/messenger/xmpp/XmppRequestBatch.h"
#include "platform/messenger/xmpp/XmppStanza.h"

#include <algorithm>
#include <strophe.h>

XmppInitialPresence::XmppInitialPresence(XmppConnection &connection, QString account)
    : m_connection(connection), m_account(std::move(account))
{
}

XmppConnection::StanzaPtr XmppInitialPresence::question(const QString &to, const char *ns) const
{
    XmppConnection::StanzaPtr iq = m_connection.newIq("get");
    if (!to.isEmpty())
        xmpp_stanza_set_to(iq.get(), to.toUtf8().constData());
    m_connection.addChild(iq.get(), "query", ns);
    return iq;
}

void XmppInitialPresence::ask(XmppRequestBatch &batch)
{
    const QString domain = m_account.section(QLatin1Char('@'), 1);
    const QString services = QStringLiteral("consultar los servicios del servidor");
    m_domainServices = batch.send(question(domain, XmppStanza::discoInfoNs), services);
    m_accountServices = batch.send(question(m_account, XmppStanza::discoInfoNs), services);
    m_software = batch.send(question(domain, XmppStanza::versionNs),
                            QStringLiteral("consultar el programa del servidor"));
    // Asking for the headers before the first presence tells the server that this client
    // fetches offline messages itself, so it does not push them; this client never fetches any.
    XmppConnection::StanzaPtr headers = question({}, XmppStanza::discoItemsNs);
    xmpp_stanza_set_attribute(XmppStanza::child(headers.get(), "query", XmppStanza::discoItemsNs),
                              "node", XmppStanza::offlineNs);
    m_headers =
        batch.send(std::move(headers), QStringLiteral("consultar los mensajes sin conexión"));
}

void XmppInitialPresence::announce(const XmppRequestBatch &batch)
{
    if (offersFlexibleOffline(batch.required(m_domainServices)) ||
        offersFlexibleOffline(batch.required(m_accountServices))) {
        if (XmppStanza::isResult(batch.required(m_headers))) {
            m_raised = true;
            sendPresence(0);
            return;
        }
    } else if (isProsody(batch.required(m_software))) {
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

bool XmppInitialPresence::offersFlexibleOffline(xmpp_stanza_t *answer)
{
    if (!XmppStanza::isResult(answer))
        return false;
    xmpp_stanza_t *query = XmppStanza::child(answer, "query", XmppStanza::discoInfoNs);
    const QList<xmpp_stanza_t *> features = XmppStanza::children(query, "feature");
    return std::any_of(features.cbegin(), features.cend(), [](xmpp_stanza_t *feature) {
        return XmppStanza::attribute(feature, "var") == QLatin1String(XmppStanza::offlineNs);
    });
}

bool XmppInitialPresence::isProsody(xmpp_stanza_t *answer)
{
    if (!XmppStanza::isResult(answer))
        return false;
    xmpp_stanza_t *name =
        XmppStanza::child(XmppStanza::child(answer, "query", XmppStanza::versionNs), "name");
    return XmppStanza::text(name).trimmed().compare(u"Prosody", Qt::CaseInsensitive) == 0;
}

void XmppInitialPresence::sendPresence(int priority)
{
    XmppConnection::StanzaPtr presence = m_connection.newStanza("presence");
    m_connection.addText(m_connection.addChild(presence.get(), "priority"),
                         QString::number(priority));
    m_connection.send(presence.get());
}
