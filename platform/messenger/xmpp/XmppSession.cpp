#include "platform/messenger/xmpp/XmppSession.h"

#include "platform/messenger/MessengerError.h"
#include "platform/messenger/xmpp/XmppInitialPresence.h"
#include "platform/messenger/xmpp/XmppInterrupt.h"
#include "platform/messenger/xmpp/XmppRequestBatch.h"
#include "platform/messenger/xmpp/XmppStanza.h"

#include <QSet>
#include <optional>
#include <strophe.h>

XmppSession::XmppSession(const XmppSettings &settings, std::shared_ptr<XmppInterrupt> interrupt)
    : m_settings(settings),
      m_interrupt(interrupt ? std::move(interrupt) : std::make_shared<XmppInterrupt>()),
      m_connection(m_interrupt)
{
    m_connection.setStanzaHandler([this](xmpp_stanza_t *stanza) { handleStanza(stanza); });
}

void XmppSession::signIn(QByteArray &password, const XmppConnection::ProgressHandler &progress)
{
    m_password = std::make_unique<LockedSecret>(password);
    m_connection.connect(m_settings, password, progress);

    m_signInName = bare(m_connection.boundJid());
    if (m_signInName.isEmpty())
        m_signInName = m_settings.bareJid();
    if (progress)
        progress(XmppConnection::Step::ReadingContacts);

    // Two round trips once signed in: first the roster and what the first presence depends on,
    // all asked together; then the presence and the nickname's questions.
    XmppInitialPresence presence(m_connection, m_signInName);
    {
        XmppRequestBatch first(m_connection);
        const int roster =
            first.send(rosterQuery(m_connection),
                       QStringLiteral("leer la lista de contactos de %1").arg(m_signInName));
        presence.ask(first);
        first.wait(m_settings.requestTimeLimit);
        m_roster.reset(rosterItems(first.required(roster)));
        // Initial presence makes the server deliver the subscription requests it kept while
        // the user was away; the user's offline messages stay stored for the user's real
        // clients.
        presence.announce(first);
    }
    // The server answers these after it has handled the presence, so the stored requests
    // have arrived by the time the nickname is known.
    m_displayName = fetchNickname();
    presence.settle();
    m_notice = presence.notice();
}

XmppSession::~XmppSession() = default;

bool XmppSession::isSignedIn() const
{
    return m_connection.isConnected();
}

const XmppRoster &XmppSession::roster()
{
    m_connection.processPending();
    return m_roster;
}

void XmppSession::removeContact(const QString &jid)
{
    if (m_removals) {
        m_removals->send(jid);
        return;
    }
    XmppConnection::StanzaPtr iq = m_connection.newIq("set");
    xmpp_stanza_t *query = m_connection.addChild(iq.get(), "query", XmppStanza::rosterNs);
    xmpp_stanza_t *item = m_connection.addChild(query, "item");
    // Only these two attributes: servers refuse a removal that carries anything else.
    xmpp_stanza_set_attribute(item, "jid", jid.toUtf8().constData());
    xmpp_stanza_set_attribute(item, "subscription", "remove");
    const QString what = QStringLiteral("quitar a «%1» de la lista de contactos").arg(jid);
    const XmppConnection::StanzaPtr answer =
        m_connection.request(std::move(iq), m_settings.requestTimeLimit, what);
    if (XmppStanza::isError(answer.get()))
        throw MessengerError(QStringLiteral("No se pudo %1: el servidor lo rechazó (%2)")
                                 .arg(what, XmppStanza::errorText(answer.get())));
    // The server's push may come before the answer (ejabberd) or after it (Prosody); both
    // are handled, and the roster need not wait for a push that is still to come.
    m_roster.remove(jid);
}

void XmppSession::setHoldingRemovals(bool holding)
{
    if (!holding)
        m_removals.reset();
    else if (!m_removals)
        m_removals = std::make_unique<XmppRemovals>(m_connection, m_settings.requestTimeLimit);
}

QHash<QString, QString> XmppSession::commitRemovals()
{
    if (!m_removals)
        return {};
    XmppRemovals::Outcome outcome = m_removals->finish();
    if (!outcome.unsettled.isEmpty())
        settleAfterLoss(outcome);
    for (const QString &jid : std::as_const(outcome.removed))
        m_roster.remove(jid);
    return outcome.refused;
}

void XmppSession::settleAfterLoss(XmppRemovals::Outcome &outcome)
{
    // The connection ended with answers still to come: what the server kept says which of
    // those removals happened, so that no row is said removed, or left listed, wrongly.
    std::optional<QSet<QString>> kept;
    QString why;
    try {
        kept = rosterAfresh();
    } catch (const Error &error) {
        why = error.message();
    }
    for (const QString &jid : std::as_const(outcome.unsettled)) {
        const QString what = XmppRemovals::what(jid);
        if (kept && !kept->contains(jid))
            outcome.removed.insert(jid);
        else if (kept)
            outcome.refused.insert(jid,
                                   QStringLiteral("No se pudo %1: se perdió la conexión con el "
                                                  "servidor XMPP antes de su respuesta, y el "
                                                  "servidor lo conserva.")
                                       .arg(what));
        else
            outcome.refused.insert(
                jid, QStringLiteral("No se sabe si se pudo %1: se perdió la conexión con el "
                                    "servidor XMPP antes de su respuesta, y al conectar de nuevo "
                                    "para comprobarlo: %2 Inicia sesión otra vez y busca para "
                                    "saberlo.")
                         .arg(what, why));
    }
}

QSet<QString> XmppSession::rosterAfresh()
{
    XmppConnection fresh(m_interrupt);
    QByteArray password = m_password->copy();
    fresh.connect(m_settings, password);
    const XmppConnection::StanzaPtr answer = fresh.request(
        rosterQuery(fresh), m_settings.requestTimeLimit,
        QStringLiteral("volver a leer la lista de contactos de %1").arg(m_signInName));
    QSet<QString> kept;
    for (const XmppRoster::Item &item : rosterItems(answer.get()))
        kept.insert(item.jid);
    return kept;
}

XmppConnection::StanzaPtr XmppSession::rosterQuery(const XmppConnection &connection)
{
    XmppConnection::StanzaPtr iq = connection.newIq("get");
    connection.addChild(iq.get(), "query", XmppStanza::rosterNs);
    return iq;
}

QList<XmppRoster::Item> XmppSession::rosterItems(xmpp_stanza_t *answer) const
{
    if (XmppStanza::isError(answer))
        throw MessengerError(QStringLiteral("No se pudo leer la lista de contactos de %1: el "
                                            "servidor lo rechazó (%2)")
                                 .arg(m_signInName, XmppStanza::errorText(answer)));
    QList<XmppRoster::Item> items;
    for (xmpp_stanza_t *child :
         XmppStanza::children(XmppStanza::child(answer, "query", XmppStanza::rosterNs), "item")) {
        const QString jid = XmppStanza::attribute(child, "jid");
        if (jid.isEmpty())
            continue;
        // A value the protocol does not define is read as the safest one, "none".
        const auto subscription =
            XmppRoster::parseSubscription(XmppStanza::attribute(child, "subscription"));
        items.append({jid, XmppStanza::attribute(child, "name"),
                      subscription.value_or(XmppRoster::Subscription::None)});
    }
    return items;
}

QString XmppSession::fetchNickname()
{
    // The nickname the user published (XEP-0172), else the one on the user's vCard: both asked
    // at once, the first preferred.
    XmppConnection::StanzaPtr pep = m_connection.newIq("get");
    xmpp_stanza_set_to(pep.get(), m_signInName.toUtf8().constData());
    xmpp_stanza_t *items = m_connection.addChild(
        m_connection.addChild(pep.get(), "pubsub", XmppStanza::pubsubNs), "items");
    xmpp_stanza_set_attribute(items, "node", XmppStanza::nickNs);
    XmppConnection::StanzaPtr vcard = m_connection.newIq("get");
    m_connection.addChild(vcard.get(), "vCard", XmppStanza::vcardNs);

    XmppRequestBatch batch(m_connection);
    const int published = batch.send(std::move(pep), QStringLiteral("leer el apodo publicado"));
    const int card = batch.send(std::move(vcard), QStringLiteral("leer la vCard"));
    batch.wait(m_settings.requestTimeLimit);
    // A slow answer only costs the nickname; a lost connection ends the sign-in.
    if (!m_connection.isConnected())
        batch.required(published);
    QString nickname = nickFrom(batch.answer(published), [](xmpp_stanza_t *answer) {
        xmpp_stanza_t *item = XmppStanza::child(
            XmppStanza::child(XmppStanza::child(answer, "pubsub", XmppStanza::pubsubNs), "items"),
            "item");
        return XmppStanza::child(item, "nick", XmppStanza::nickNs);
    });
    if (nickname.isEmpty())
        nickname = nickFrom(batch.answer(card), [](xmpp_stanza_t *answer) {
            return XmppStanza::child(XmppStanza::child(answer, "vCard", XmppStanza::vcardNs),
                                     "NICKNAME");
        });
    return nickname.isEmpty() ? m_signInName.section(QLatin1Char('@'), 0, 0) : nickname;
}

QString XmppSession::nickFrom(xmpp_stanza_t *answer,
                              const std::function<xmpp_stanza_t *(xmpp_stanza_t *)> &findNick)
{
    // No answer, or an error: no nickname kept, or the server does not keep any.
    if (!answer || XmppStanza::isError(answer))
        return {};
    xmpp_stanza_t *nick = findNick(answer);
    return nick ? XmppStanza::text(nick).trimmed() : QString();
}

void XmppSession::handleStanza(xmpp_stanza_t *stanza)
{
    if (XmppStanza::isNamed(stanza, "presence")) {
        const QString from = bare(XmppStanza::attribute(stanza, "from"));
        if (from.isEmpty())
            return;
        if (XmppStanza::hasType(stanza, "subscribe"))
            m_roster.addRequest(from);
        else if (XmppStanza::hasType(stanza, "unsubscribe"))
            m_roster.dropRequest(from);
        return;
    }
    // Messages belong to the user's real clients; this session asks for none, and stays at a
    // negative priority but for the moment the stored requests take.
    if (XmppStanza::isNamed(stanza, "message"))
        return;
    // An iq "get" or "set": every one gets an answer, as the protocol requires.
    if (XmppStanza::hasType(stanza, "set")) {
        if (xmpp_stanza_t *query = XmppStanza::child(stanza, "query", XmppStanza::rosterNs)) {
            handleRosterPush(stanza, query);
            return;
        }
    } else if (XmppStanza::child(stanza, "ping", XmppStanza::pingNs)) {
        reply(stanza);
        return;
    }
    XmppConnection::StanzaPtr refusal(
        xmpp_stanza_reply_error(stanza, "cancel", "service-unavailable", nullptr));
    if (refusal && m_connection.isConnected())
        m_connection.send(refusal.get());
}

void XmppSession::handleRosterPush(xmpp_stanza_t *iq, xmpp_stanza_t *query)
{
    // Only the user's own server may change the roster; anyone else's push is refused.
    const QString from = XmppStanza::attribute(iq, "from");
    if (!from.isEmpty() && bare(from) != m_signInName) {
        XmppConnection::StanzaPtr refusal(
            xmpp_stanza_reply_error(iq, "cancel", "service-unavailable", nullptr));
        if (refusal && m_connection.isConnected())
            m_connection.send(refusal.get());
        return;
    }
    for (xmpp_stanza_t *child : XmppStanza::children(query, "item")) {
        const QString jid = XmppStanza::attribute(child, "jid");
        if (jid.isEmpty())
            continue;
        const QString subscription = XmppStanza::attribute(child, "subscription");
        if (subscription == u"remove") {
            m_roster.remove(jid);
            if (m_removals)
                m_removals->noteGone(jid);
            continue;
        }
        const auto parsed =
            XmppRoster::parseSubscription(subscription).value_or(XmppRoster::Subscription::None);
        m_roster.update({jid, XmppStanza::attribute(child, "name"), parsed});
        // An accepted request is no longer waiting.
        if (parsed == XmppRoster::Subscription::From || parsed == XmppRoster::Subscription::Both)
            m_roster.dropRequest(jid);
    }
    reply(iq);
}

void XmppSession::reply(xmpp_stanza_t *stanza)
{
    XmppConnection::StanzaPtr result = m_connection.newStanza("iq");
    xmpp_stanza_set_type(result.get(), "result");
    if (const char *id = xmpp_stanza_get_id(stanza))
        xmpp_stanza_set_id(result.get(), id);
    if (const char *from = xmpp_stanza_get_from(stanza))
        xmpp_stanza_set_to(result.get(), from);
    if (m_connection.isConnected())
        m_connection.send(result.get());
}

QString XmppSession::bare(const QString &jid) const
{
    return jid.section(QLatin1Char('/'), 0, 0);
}
