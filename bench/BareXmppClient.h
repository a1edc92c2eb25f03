#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

typedef struct _xmpp_ctx_t xmpp_ctx_t;       // NOLINT(bugprone-reserved-identifier)
typedef struct _xmpp_conn_t xmpp_conn_t;     // NOLINT(bugprone-reserved-identifier)
typedef struct _xmpp_stanza_t xmpp_stanza_t; // NOLINT(bugprone-reserved-identifier)

// The least a client can do, written straight against libstrophe with its own event loop: the
// floor of the live-client benchmarks. It signs in as Orvalin does (TLS required, the
// certificate checked against the same authority, SASL as the server offers it, no stream
// management), then asks for the roster or changes one item, waiting for each answer.
class BareXmppClient
{
public:
    BareXmppClient();
    ~BareXmppClient();
    Q_DISABLE_COPY_MOVE(BareXmppClient)

    // Returns false when the sign-in failed.
    bool signIn(const QString &jid, const QByteArray &password, quint16 port,
                const QString &caFile);
    // The number of items in the roster the server sent, or -1.
    int fetchRoster();
    // Adds jid to the roster, or removes it; false when the server refused.
    bool setItem(const QString &jid, bool remove);
    // Sends the removal of every address at once, then waits for all the answers; the number
    // the server accepted, or -1 when the connection ended first.
    int removeBackToBack(const QStringList &jids);
    // Handles whatever has arrived, without waiting.
    void processPending();

private:
    bool request(xmpp_stanza_t *iq);
    struct Callbacks;

    xmpp_ctx_t *m_context = nullptr;
    xmpp_conn_t *m_connection = nullptr;
    bool m_connected = false;
    xmpp_stanza_t *m_answer = nullptr;
    int m_waiting = 0;  // removals sent back to back and not yet answered
    int m_accepted = 0; // of those, the ones the server accepted
};
