#include "bench/BareXmppClient.h"

#include <cstring>
#include <strophe.h>

BareXmppClient::BareXmppClient()
{
    xmpp_initialize();
    m_context = xmpp_ctx_new(nullptr, nullptr);
    m_connection = xmpp_conn_new(m_context);
}

BareXmppClient::~BareXmppClient()
{
    if (m_connected) {
        xmpp_disconnect(m_connection);
        xmpp_run(m_context);
    }
    if (m_answer)
        xmpp_stanza_release(m_answer);
    xmpp_conn_release(m_connection);
    xmpp_ctx_free(m_context);
}

struct BareXmppClient::Callbacks
{
    static void connection(xmpp_conn_t *, xmpp_conn_event_t event, int, xmpp_stream_error_t *,
                           void *self)
    {
        auto *client = static_cast<BareXmppClient *>(self);
        if (event == XMPP_CONN_RAW_CONNECT)
            return;
        client->m_connected = event == XMPP_CONN_CONNECT;
        xmpp_stop(client->m_context);
    }

    static int answer(xmpp_conn_t *, xmpp_stanza_t *answer, void *self)
    {
        auto *client = static_cast<BareXmppClient *>(self);
        client->m_answer = xmpp_stanza_clone(answer);
        xmpp_stop(client->m_context);
        return 0;
    }

    static int counted(xmpp_conn_t *, xmpp_stanza_t *answer, void *self)
    {
        auto *client = static_cast<BareXmppClient *>(self);
        const char *type = xmpp_stanza_get_type(answer);
        client->m_accepted += type && std::strcmp(type, "result") == 0 ? 1 : 0;
        if (--client->m_waiting == 0)
            xmpp_stop(client->m_context);
        return 0;
    }
};

bool BareXmppClient::signIn(const QString &jid, const QByteArray &password, quint16 port,
                            const QString &caFile)
{
    xmpp_conn_set_flags(m_connection, XMPP_CONN_FLAG_MANDATORY_TLS | XMPP_CONN_FLAG_DISABLE_SM);
    xmpp_conn_set_jid(m_connection, jid.toUtf8().constData());
    xmpp_conn_set_pass(m_connection, password.constData());
    xmpp_conn_set_cafile(m_connection, caFile.toLocal8Bit().constData());
    if (xmpp_connect_client(m_connection, "127.0.0.1", port, &Callbacks::connection, this) !=
        XMPP_EOK)
        return false;
    xmpp_run(m_context);
    return m_connected;
}

bool BareXmppClient::request(xmpp_stanza_t *iq)
{
    if (m_answer) {
        xmpp_stanza_release(m_answer);
        m_answer = nullptr;
    }
    xmpp_id_handler_add(m_connection, &Callbacks::answer, xmpp_stanza_get_id(iq), this);
    xmpp_send(m_connection, iq);
    xmpp_stanza_release(iq);
    xmpp_run(m_context);
    const char *type = m_answer ? xmpp_stanza_get_type(m_answer) : nullptr;
    return type && std::strcmp(type, "result") == 0;
}

int BareXmppClient::fetchRoster()
{
    xmpp_stanza_t *iq = xmpp_iq_new(m_context, "get", "roster");
    xmpp_stanza_t *query = xmpp_stanza_new(m_context);
    xmpp_stanza_set_name(query, "query");
    xmpp_stanza_set_ns(query, "jabber:iq:roster");
    xmpp_stanza_add_child(iq, query);
    xmpp_stanza_release(query);
    if (!request(iq))
        return -1;
    int items = 0;
    xmpp_stanza_t *answered = xmpp_stanza_get_child_by_name(m_answer, "query");
    for (xmpp_stanza_t *child = answered ? xmpp_stanza_get_children(answered) : nullptr; child;
         child = xmpp_stanza_get_next(child))
        items += xmpp_stanza_is_tag(child) ? 1 : 0;
    return items;
}

namespace {

xmpp_stanza_t *rosterItem(xmpp_ctx_t *context, const QString &jid, bool remove, const char *id)
{
    xmpp_stanza_t *iq = xmpp_iq_new(context, "set", id);
    xmpp_stanza_t *query = xmpp_stanza_new(context);
    xmpp_stanza_set_name(query, "query");
    xmpp_stanza_set_ns(query, "jabber:iq:roster");
    xmpp_stanza_t *item = xmpp_stanza_new(context);
    xmpp_stanza_set_name(item, "item");
    xmpp_stanza_set_attribute(item, "jid", jid.toUtf8().constData());
    if (remove)
        xmpp_stanza_set_attribute(item, "subscription", "remove");
    xmpp_stanza_add_child(query, item);
    xmpp_stanza_release(item);
    xmpp_stanza_add_child(iq, query);
    xmpp_stanza_release(query);
    return iq;
}

} // namespace

bool BareXmppClient::setItem(const QString &jid, bool remove)
{
    return request(rosterItem(m_context, jid, remove, remove ? "remove" : "add"));
}

int BareXmppClient::removeBackToBack(const QStringList &jids)
{
    m_waiting = int(jids.size());
    m_accepted = 0;
    for (int i = 0; i < jids.size(); ++i) {
        const QByteArray id = "rm" + QByteArray::number(i);
        xmpp_stanza_t *iq = rosterItem(m_context, jids.at(i), true, id.constData());
        xmpp_id_handler_add(m_connection, &Callbacks::counted, id.constData(), this);
        xmpp_send(m_connection, iq);
        xmpp_stanza_release(iq);
    }
    if (m_waiting > 0)
        xmpp_run(m_context);
    return m_waiting == 0 ? m_accepted : -1;
}

void BareXmppClient::processPending()
{
    for (int i = 0; i < 8; ++i)
        xmpp_run_once(m_context, 0);
}
