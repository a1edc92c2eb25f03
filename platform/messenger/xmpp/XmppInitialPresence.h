#pragma once

#include <QString>
#include <chrono>

class XmppConnection;

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
    XmppInitialPresence(XmppConnection &connection, QString account,
                        std::chrono::milliseconds timeLimit);

    // Chooses the way from what the server says about itself, then sends the presence.
    void announce();
    // Called once the stored requests have arrived: leaves the session at negative priority.
    void settle();
    // Empty, or the warning that stored requests may be missing from the reverse list.
    QString notice() const { return m_notice; }

private:
    bool offersFlexibleOffline(const QString &target);
    bool isProsody();
    bool keepOfflineMessages();
    void sendPresence(int priority);

    XmppConnection &m_connection;
    QString m_account;
    std::chrono::milliseconds m_timeLimit;
    bool m_raised = false;
    QString m_notice;
};
