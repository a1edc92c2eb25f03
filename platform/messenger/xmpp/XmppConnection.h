#pragma once

#include <QString>
#include <QtGlobal>
#include <chrono>
#include <functional>
#include <memory>

struct XmppSettings;
// libstrophe's own type names, declared here so that its header stays out of ours.
typedef struct _xmpp_ctx_t xmpp_ctx_t;       // NOLINT(bugprone-reserved-identifier)
typedef struct _xmpp_conn_t xmpp_conn_t;     // NOLINT(bugprone-reserved-identifier)
typedef struct _xmpp_stanza_t xmpp_stanza_t; // NOLINT(bugprone-reserved-identifier)

// One client connection through libstrophe, driven from the user-interface thread: every wait
// runs the library in short slices and lets Qt handle its events in between, so windows keep
// painting, and each wait has its own time limit. TLS is always required and the server's
// certificate always verified. Failures are MessengerError with a message in Spanish.
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

    XmppConnection();
    ~XmppConnection();
    Q_DISABLE_COPY_MOVE(XmppConnection)

    // Signs in and wipes password. Throws MessengerError saying why a sign-in failed: refused
    // credentials, untrusted certificate, unreachable server, no answer within the time limit.
    void connect(const XmppSettings &settings, QByteArray &password);
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

    // The condition of an error answer, with the server's text when it gave one.
    static QString errorText(xmpp_stanza_t *answer);
    static QString attribute(xmpp_stanza_t *stanza, const char *name);
    static QString text(xmpp_stanza_t *element);

private:
    enum class State { Idle, Connecting, Connected, Closed };

    template <typename Done> bool runUntil(Done done, std::chrono::milliseconds timeLimit);
    void runSlice();
    QString signInFailure(const XmppSettings &settings) const;

    // libstrophe's callbacks; nested, so that they reach the members.
    struct Callbacks;
    // What the library said about a failed sign-in.
    struct Diagnosis;
    struct Library;
    std::unique_ptr<Diagnosis> m_diagnosis;
    std::unique_ptr<Library> m_library;
    State m_state = State::Idle;
    StanzaHandler m_handler;
    // Cleared when this object goes away; a wait checks it after handing control to Qt.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
