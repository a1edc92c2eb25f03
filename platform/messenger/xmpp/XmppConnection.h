#pragma once

#include "platform/messenger/xmpp/XmppResolver.h"

#include <QDeadlineTimer>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <chrono>
#include <functional>
#include <memory>

class XmppInterrupt;
class XmppSignInDiagnosis;
struct XmppSettings;
// libstrophe's own type names, declared here so that its header stays out of ours.
typedef struct _xmpp_ctx_t xmpp_ctx_t;       // NOLINT(bugprone-reserved-identifier)
typedef struct _xmpp_conn_t xmpp_conn_t;     // NOLINT(bugprone-reserved-identifier)
typedef struct _xmpp_stanza_t xmpp_stanza_t; // NOLINT(bugprone-reserved-identifier)

// One client connection through libstrophe with a context of its own. Every call is made from
// one thread (in the program, the session's worker thread, never the user-interface thread),
// each wait has its own time limit, and an XmppInterrupt stops any wait from another thread.
// TLS is always required and the server's certificate always verified. Failures are
// MessengerError with one Spanish sentence.
class XmppConnection
{
public:
    struct StanzaRelease
    {
        void operator()(xmpp_stanza_t *stanza) const;
    };
    using StanzaPtr = std::unique_ptr<xmpp_stanza_t, StanzaRelease>;
    // Receives every incoming presence and message, and every iq of type "get" or "set".
    using StanzaHandler = std::function<void(xmpp_stanza_t *)>;
    // The steps of a sign-in that a user waits through.
    enum class Step { Connecting, CheckingCertificate, ReadingContacts };
    using ProgressHandler = std::function<void(Step)>;

    explicit XmppConnection(std::shared_ptr<XmppInterrupt> interrupt = {});
    ~XmppConnection();
    Q_DISABLE_COPY_MOVE(XmppConnection)

    // Signs in and wipes password. Throws MessengerError saying why a sign-in failed: refused
    // credentials, untrusted certificate, unreachable server, a server without TLS, no answer
    // within the time limit; XmppCancelled when the interrupt says so.
    void connect(const XmppSettings &settings, QByteArray &password,
                 const ProgressHandler &progress = {});
    bool isConnected() const;
    // The full address the server bound this session to.
    QString boundJid() const;

    void setStanzaHandler(StanzaHandler handler);

    StanzaPtr newStanza(const char *name) const;
    // An iq of type "get" or "set" with a fresh id.
    StanzaPtr newIq(const char *type) const;
    // Appends an element (with its namespace, when given) and returns it.
    xmpp_stanza_t *addChild(xmpp_stanza_t *parent, const char *name,
                            const char *ns = nullptr) const;
    void addText(xmpp_stanza_t *parent, const QString &text) const;

    void send(xmpp_stanza_t *stanza);
    // Sends iq and waits for the answer of the same id, result or error, which it returns.
    // Throws MessengerError "No se pudo <what>: ..." on a time-out or a lost connection.
    StanzaPtr request(StanzaPtr iq, std::chrono::milliseconds timeLimit, const QString &what);
    // Handles whatever has arrived, without waiting.
    void processPending();

    // Receives the answer, result or error, to a request sent with sendRequest.
    using AnswerHandler = std::function<void(xmpp_stanza_t *answer)>;
    // Sends iq and returns at once; handler gets the answer of the same id while the library
    // runs on this connection (processPending, waitUntil, request). Throws MessengerError when
    // there is no connection, and nothing is sent.
    void sendRequest(xmpp_stanza_t *iq, AnswerHandler handler);
    // Drops the handler of a request sent with sendRequest that was not answered.
    void forgetRequest(const QByteArray &id);
    // Runs the library until done() says so or the connection ends (true), or until timeLimit
    // passes (false). Throws XmppCancelled when cancelled; a time-out from the interrupt is a
    // false.
    bool waitUntil(const std::function<bool()> &done, std::chrono::milliseconds timeLimit);
    // An interrupted wait ends the connection too: XmppCancelled for a cancel, timeOut as a
    // MessengerError for the time limit, nothing when not interrupted.
    void throwIfInterrupted(const QString &timeOut) const;

private:
    enum class State { Idle, Connecting, Connected, Closed };

    void configure(const XmppSettings &settings, QByteArray &password);
    // The addresses to try; throws when there are none, or when cancelled or out of time.
    QList<XmppResolver::Endpoint> resolve(const XmppSettings &settings,
                                          const QDeadlineTimer &deadline, const QString &timeOut);
    // Signs in through one address: true when signed in, false when this address failed.
    bool attempt(const XmppResolver::Endpoint &endpoint, const QDeadlineTimer &deadline,
                 const QString &timeOut);
    // Runs the library until the sign-in ends; false when timeLimit passed first.
    bool waitForSignIn(std::chrono::milliseconds timeLimit);
    void forgetPassword();
    template <typename Done> bool runUntil(Done done, std::chrono::milliseconds timeLimit);
    void runSlice();

    // libstrophe's callbacks; nested, so that they reach the members.
    struct Callbacks;
    struct Library;
    std::unique_ptr<XmppSignInDiagnosis> m_diagnosis;
    std::unique_ptr<Library> m_library;
    State m_state = State::Idle;
    StanzaHandler m_handler;
    ProgressHandler m_progress;
    std::shared_ptr<XmppInterrupt> m_interrupt;
};
