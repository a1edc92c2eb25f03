#pragma once

#include "platform/messenger/xmpp/XmppConnection.h"

#include <QString>
#include <chrono>
#include <vector>

// Requests that do not depend on each other, sent together and then waited for together, so
// that they cost one round trip to the server rather than one each.
class XmppRequestBatch
{
public:
    explicit XmppRequestBatch(XmppConnection &connection);
    // Forgets the answers still to come.
    ~XmppRequestBatch();
    Q_DISABLE_COPY_MOVE(XmppRequestBatch)

    // Sends iq at once; what says what it asks, for the failure's sentence ("leer la vCard").
    // Returns its place, for answer(). Throws MessengerError when there is no connection.
    int send(XmppConnection::StanzaPtr iq, const QString &what);
    // Waits at most timeLimit for every answer. Throws XmppCancelled when cancelled; a time-out
    // or a lost connection leaves the missing answers missing.
    void wait(std::chrono::milliseconds timeLimit);
    // The answer, result or error, to request index; null when it did not come.
    xmpp_stanza_t *answer(int index) const;
    // The answer to request index; throws MessengerError "No se pudo <what>: ..." when it did not
    // come, saying why.
    xmpp_stanza_t *required(int index) const;

private:
    struct Request
    {
        QByteArray id;
        QString what;
        XmppConnection::StanzaPtr answer;
    };

    XmppConnection &m_connection;
    std::vector<Request> m_requests;
    int m_waiting = 0;
    std::chrono::milliseconds m_timeLimit{0};
};
