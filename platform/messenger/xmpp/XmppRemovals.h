#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <chrono>

class XmppConnection;

// Removals from the roster sent back to back, each without waiting for the answer of the one
// before, then told apart by the answers: what the server removed, what it refused and why,
// and what it never answered. At most MaxInFlight wait for an answer at a time.
class XmppRemovals
{
public:
    // A server works through what it has read before it answers, so a few waiting are not
    // enough even on loopback (32 left Prosody idle a third of the time); a hundred keep it busy
    // across round trips of a second, stay within the bursts that servers throttling their
    // clients' input let through at once (ejabberd's default shaper: 20 kB, about a hundred
    // removals), and bound the rows a lost connection leaves unknown.
    static constexpr int MaxInFlight = 100;

    // answerTimeLimit: how long the server may go without answering any of them.
    XmppRemovals(XmppConnection &connection, std::chrono::milliseconds answerTimeLimit);
    // Forgets the answers still to come.
    ~XmppRemovals();
    Q_DISABLE_COPY_MOVE(XmppRemovals)

    // Sends the removal of jid; with MaxInFlight already waiting, first waits for one of them
    // to be answered. Throws MessengerError, with nothing sent, when there is no connection or
    // the server does not answer in time; XmppCancelled when cancelled.
    void send(const QString &jid);
    // The server's push said jid is off the roster: it is gone, whatever the answer.
    void noteGone(const QString &jid);
    struct Outcome
    {
        QSet<QString> removed;
        QHash<QString, QString> refused; // address -> why, one sentence
        // Sent, but the connection ended before the server said what became of them.
        QSet<QString> unsettled;
    };
    // Waits for every answer still to come, then tells each removal sent since the last call
    // apart: removed, refused with why, or unsettled when the connection ended before its
    // answer. One whose answer did not come in time, or whose wait was cancelled, did not
    // happen, unless the server's push said otherwise.
    Outcome finish();
    // What a removal's outcome is said with: "quitar a «jid» de la lista de contactos".
    static QString what(const QString &jid);

private:
    void answered(const QString &jid, bool refused, const QString &reason);
    // Waits until fewer than limit removals wait for an answer; false when the time ran out.
    bool waitForAnswers(int limit);

    XmppConnection &m_connection;
    std::chrono::milliseconds m_answerTimeLimit;
    QHash<QByteArray, QString> m_waiting; // request id -> address
    QSet<QString> m_removed;
    QSet<QString> m_gone; // waiting, and removed as the server's push said
    QHash<QString, QString> m_refused;
};
