#pragma once

#include "platform/messenger/xmpp/LockedSecret.h"
#include "platform/messenger/xmpp/XmppConnection.h"
#include "platform/messenger/xmpp/XmppRemovals.h"
#include "platform/messenger/xmpp/XmppRoster.h"
#include "platform/messenger/xmpp/XmppSettings.h"

// A session on the user's account: the sign-in, the roster kept up to date from the server's
// pushes and the subscription requests it delivers, the user's own address and nickname, and
// the removal of a contact. Used from one thread only (see XmppSessionThread).
class XmppSession
{
public:
    explicit XmppSession(const XmppSettings &settings,
                         std::shared_ptr<XmppInterrupt> interrupt = {});
    ~XmppSession();
    Q_DISABLE_COPY_MOVE(XmppSession)

    // Signs in with password, which it wipes, and reads the roster and the nickname; throws
    // MessengerError (XmppCancelled when interrupted) when it cannot. A copy of the password is
    // kept for the session (see LockedSecret), to sign in again should the connection be lost
    // in the middle of a removal.
    void signIn(QByteArray &password, const XmppConnection::ProgressHandler &progress = {});
    bool isSignedIn() const;
    // Handles what the server sent meanwhile: pushes, requests, pings.
    void processPending() { m_connection.processPending(); }
    // The account's bare address, as the server bound it.
    QString signInName() const { return m_signInName; }
    // The user's nickname as the server keeps it, or else the address's local part.
    QString displayName() const { return m_displayName; }
    // Empty, or a warning for the user about what this server kept the scan from seeing.
    QString notice() const { return m_notice; }

    // Handles what the server sent meanwhile, then gives the roster.
    const XmppRoster &roster();
    // The roster's revision as it stands, without looking at the server.
    quint64 rosterRevision() const { return m_roster.revision(); }
    // Takes jid off the server's roster and waits for the server to confirm it. Throws
    // MessengerError when the server refuses, does not answer in time or the connection is lost;
    // the roster is then left as it was.
    // While holding removals, sends it without waiting for the answer instead (see XmppRemovals).
    void removeContact(const QString &jid);

    // For the requests and subscriptions handled beside the roster (see XmppSubscriptions).
    XmppConnection &connection() { return m_connection; }
    const XmppSettings &settings() const { return m_settings; }
    // The request from jid was answered by this session.
    void forgetRequest(const QString &jid) { m_roster.dropRequest(jid); }
    // Holding, removals go out back to back and are told apart at commitRemovals(). Leaving
    // the hold forgets the answers still to come; the server's pushes still keep the roster.
    void setHoldingRemovals(bool holding);
    // Waits for the answers to the removals sent while holding, takes the removed off the
    // roster, and gives the others with why. When the connection was lost before some answers,
    // a fresh sign-in reads the roster the server kept, which says what became of them.
    QHash<QString, QString> commitRemovals();

private:
    void handleStanza(xmpp_stanza_t *stanza);
    void handleRosterPush(xmpp_stanza_t *iq, xmpp_stanza_t *query);
    static XmppConnection::StanzaPtr rosterQuery(const XmppConnection &connection);
    // The items of a roster answer; throws MessengerError when the server refused it.
    QList<XmppRoster::Item> rosterItems(xmpp_stanza_t *answer) const;
    void settleAfterLoss(XmppRemovals::Outcome &outcome);
    // The addresses on the roster, read through a connection of its own.
    QSet<QString> rosterAfresh();
    QString fetchNickname();
    static QString nickFrom(xmpp_stanza_t *answer,
                            const std::function<xmpp_stanza_t *(xmpp_stanza_t *)> &findNick);
    void reply(xmpp_stanza_t *stanza);
    QString bare(const QString &jid) const;

    XmppSettings m_settings;
    std::shared_ptr<XmppInterrupt> m_interrupt; // this session's connections, and a fresh one
    XmppConnection m_connection;
    std::unique_ptr<LockedSecret> m_password;
    XmppRoster m_roster;
    std::unique_ptr<XmppRemovals> m_removals; // while holding removals
    QString m_signInName;
    QString m_displayName;
    QString m_notice;
};
