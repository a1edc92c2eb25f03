#include "platform/messenger/xmpp/XmppRemovals.h"

#include "platform/messenger/MessengerError.h"
#include "platform/messenger/xmpp/XmppCancelled.h"
#include "platform/messenger/xmpp/XmppConnection.h"
#include "platform/messenger/xmpp/XmppStanza.h"

#include <QDeadlineTimer>
#include <strophe.h>

XmppRemovals::XmppRemovals(XmppConnection &connection, std::chrono::milliseconds answerTimeLimit)
    : m_connection(connection), m_answerTimeLimit(answerTimeLimit)
{
}

XmppRemovals::~XmppRemovals()
{
    for (auto it = m_waiting.cbegin(); it != m_waiting.cend(); ++it)
        m_connection.forgetRequest(it.key());
}

QString XmppRemovals::what(const QString &jid)
{
    return QStringLiteral("quitar a «%1» de la lista de contactos").arg(jid);
}

void XmppRemovals::send(const QString &jid)
{
    // What came meanwhile is handled first: answers free their places.
    m_connection.processPending();
    if (!m_connection.isConnected())
        throw MessengerError(
            QStringLiteral("No se pudo %1: no hay conexión con el servidor XMPP").arg(what(jid)));
    if (!waitForAnswers(MaxInFlight))
        throw MessengerError(QStringLiteral("No se pudo %1: el servidor no respondió a las "
                                            "anteriores en %2 s.")
                                 .arg(what(jid))
                                 .arg(double(m_answerTimeLimit.count()) / 1000.0));
    if (!m_connection.isConnected())
        throw MessengerError(
            QStringLiteral("No se pudo %1: se perdió la conexión con el servidor XMPP.")
                .arg(what(jid)));

    XmppConnection::StanzaPtr iq = m_connection.newIq("set");
    xmpp_stanza_t *query = m_connection.addChild(iq.get(), "query", XmppStanza::rosterNs);
    xmpp_stanza_t *item = m_connection.addChild(query, "item");
    // Only these two attributes: servers refuse a removal that carries anything else.
    xmpp_stanza_set_attribute(item, "jid", jid.toUtf8().constData());
    xmpp_stanza_set_attribute(item, "subscription", "remove");
    const QByteArray id = xmpp_stanza_get_id(iq.get());
    m_connection.sendRequest(iq.get(), [this, jid, id](xmpp_stanza_t *answer) {
        m_waiting.remove(id);
        answered(jid, XmppStanza::isError(answer), XmppStanza::errorText(answer));
    });
    m_waiting.insert(id, jid);
}

void XmppRemovals::answered(const QString &jid, bool refused, const QString &reason)
{
    if (!refused)
        m_removed.insert(jid);
    else if (!m_gone.contains(jid))
        m_refused.insert(
            jid,
            QStringLiteral("No se pudo %1: el servidor lo rechazó (%2)").arg(what(jid), reason));
}

void XmppRemovals::noteGone(const QString &jid)
{
    // Only a removal still waiting learns from a push; one answered already knows its outcome.
    for (const QString &waiting : std::as_const(m_waiting)) {
        if (waiting == jid) {
            m_gone.insert(jid);
            return;
        }
    }
}

bool XmppRemovals::waitForAnswers(int limit)
{
    // The time limit counts from the last answer: a long group is not cut short while the
    // server keeps answering.
    while (m_waiting.size() >= limit && m_connection.isConnected()) {
        const qsizetype before = m_waiting.size();
        m_connection.waitUntil([&] { return m_waiting.size() < before; }, m_answerTimeLimit);
        if (m_waiting.size() == before && m_connection.isConnected())
            return false;
    }
    return true;
}

XmppRemovals::Outcome XmppRemovals::finish()
{
    // Empty when the connection ended: the answers were lost, not the removals.
    QString unanswered;
    try {
        if (!waitForAnswers(1))
            unanswered = QStringLiteral("el servidor no respondió en %1 s")
                             .arg(double(m_answerTimeLimit.count()) / 1000.0);
    } catch (const XmppCancelled &) {
        unanswered = QStringLiteral("se canceló antes de la respuesta del servidor");
    }
    QSet<QString> unsettled;
    for (auto it = m_waiting.cbegin(); it != m_waiting.cend(); ++it) {
        m_connection.forgetRequest(it.key());
        if (m_gone.contains(it.value()))
            continue;
        if (unanswered.isEmpty())
            unsettled.insert(it.value());
        else
            m_refused.insert(
                it.value(), QStringLiteral("No se pudo %1: %2.").arg(what(it.value()), unanswered));
    }
    m_waiting.clear();
    for (const QString &jid : std::as_const(m_gone)) {
        if (!m_refused.contains(jid))
            m_removed.insert(jid);
    }
    m_gone.clear();
    return {std::exchange(m_removed, {}), std::exchange(m_refused, {}), unsettled};
}
