#include "platform/messenger/xmpp/XmppRequestBatch.h"

#include "platform/messenger/MessengerError.h"

#include <strophe.h>

XmppRequestBatch::XmppRequestBatch(XmppConnection &connection) : m_connection(connection) {}

XmppRequestBatch::~XmppRequestBatch()
{
    for (const Request &request : m_requests) {
        if (!request.answer)
            m_connection.forgetRequest(request.id);
    }
}

int XmppRequestBatch::send(XmppConnection::StanzaPtr iq, const QString &what)
{
    const int index = int(m_requests.size());
    m_requests.push_back({xmpp_stanza_get_id(iq.get()), what, {}});
    m_connection.sendRequest(iq.get(), [this, index](xmpp_stanza_t *answer) {
        m_requests[index].answer.reset(xmpp_stanza_clone(answer));
        --m_waiting;
    });
    ++m_waiting;
    return index;
}

void XmppRequestBatch::wait(std::chrono::milliseconds timeLimit)
{
    m_timeLimit = timeLimit;
    m_connection.waitUntil([this] { return m_waiting == 0; }, timeLimit);
}

xmpp_stanza_t *XmppRequestBatch::answer(int index) const
{
    return m_requests.at(index).answer.get();
}

xmpp_stanza_t *XmppRequestBatch::required(int index) const
{
    const Request &request = m_requests.at(index);
    if (request.answer)
        return request.answer.get();
    const QString timeOut =
        QStringLiteral("No se pudo %1: el servidor no respondió en %2 s.")
            .arg(request.what, QString::number(double(m_timeLimit.count()) / 1000.0, 'g', 3));
    // A cancel or the sign-in's time limit shuts the connection: that, not the loss, is why.
    m_connection.throwIfInterrupted(timeOut);
    if (!m_connection.isConnected())
        throw MessengerError(
            QStringLiteral("No se pudo %1: se perdió la conexión con el servidor XMPP.")
                .arg(request.what));
    throw MessengerError(timeOut);
}
