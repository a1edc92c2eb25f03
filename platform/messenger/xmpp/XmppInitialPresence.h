#pragma once

#include "platform/messenger/xmpp/XmppConnection.h"

#include <QString>

class XmppConnection;
class XmppRequestBatch;
typedef struct _xmpp_stanza_t xmpp_stanza_t; // NOLINT(bugprone-reserved-identifier)

// The session's first presence, sent so that the server hands over the subscription requests it
// kept while the user was away, without giving this program the user's offline messages,
// which would then never reach the user's real client.
// - Where the server offers flexible offline message retrieval (XEP-0013), the offline
//   messages' headers are asked for first, which tells the server to keep the messages; the
//   presence then has priority 0, which every server answers with the stored requests, and drops
//   to -1 once they are in, so that new messages keep going to the user's other clients or to
//   storage.
// - Prosody hands the stored requests to a session of negative priority, and keeps the offline
//   messages from it: priority -1 from the start.
// - Elsewhere priority -1 is all that is safe, and some servers then keep the requests back:
//   notice() says so.
class XmppInitialPresence
{
public:
    XmppInitialPresence(XmppConnection &connection, QString account);

    // Asks, in batch, everything the choice may need: the services of the domain and of the
    // account, the server's software and the offline messages' headers. None depends on
    // another, and the headers' question only keeps messages on a server that offers them.
    void ask(XmppRequestBatch &batch);
    // Chooses the way from the answers to ask(), then sends the presence.
    void announce(const XmppRequestBatch &batch);
    // Called once the stored requests have arrived: leaves the session at negative priority.
    void settle();
    // Empty, or the warning that stored requests may be missing from the reverse list.
    QString notice() const { return m_notice; }

private:
    XmppConnection::StanzaPtr question(const QString &to, const char *ns) const;
    static bool offersFlexibleOffline(xmpp_stanza_t *answer);
    static bool isProsody(xmpp_stanza_t *answer);
    void sendPresence(int priority);

    XmppConnection &m_connection;
    QString m_account;
    int m_domainServices = -1; // places of the questions in the batch
    int m_accountServices = -1;
    int m_software = -1;
    int m_headers = -1;
    bool m_raised = false;
    QString m_notice;
};
