#include "platform/messenger/xmpp/XmppConnection.h"

#include "platform/messenger/MessengerError.h"
#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppAlarm.h"
#include "platform/messenger/xmpp/XmppCancelled.h"
#include "platform/messenger/xmpp/XmppChildAppend.h"
#include "platform/messenger/xmpp/XmppInterrupt.h"
#include "platform/messenger/xmpp/XmppResolver.h"
#include "platform/messenger/xmpp/XmppRunningConnection.h"
#include "platform/messenger/xmpp/XmppSettings.h"
#include "platform/messenger/xmpp/XmppSignInDiagnosis.h"
#include "platform/messenger/xmpp/XmppStanza.h"

#include <QDeadlineTimer>
#include <csignal>
#include <cstring>
#include <map>
#include <mutex>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <strophe.h>
#include <sys/socket.h>

namespace {

void initializeLibraryOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // The library can write to a socket the server has already closed.
        std::signal(SIGPIPE, SIG_IGN);
        xmpp_initialize();
        XmppChildAppend::install();
    });
}

QString seconds(std::chrono::milliseconds limit)
{
    return QString::number(double(limit.count()) / 1000.0, 'g', 3);
}

struct PendingAnswer
{
    XmppConnection::StanzaPtr answer;
};

} // namespace

struct XmppConnection::Callbacks
{
    static void log(void *self, xmpp_log_level_t, const char *area, const char *message)
    {
        // The steps of a sign-in are followed here; the causes of a failure go to the diagnosis.
        auto *connection = static_cast<XmppConnection *>(self);
        const QByteArrayView text(message);
        if (text.startsWith("proceeding with TLS")) {
            if (connection->m_progress)
                connection->m_progress(Step::CheckingCertificate);
        } else {
            connection->m_diagnosis->readLog(QByteArrayView(area), text);
        }
    }

    // Every socket the library opens: a cancel or a time-out shuts it from the waiting thread,
    // which ends even the TLS handshake's own loop inside the library.
    // Every stanza is sent as soon as it is written: with the system's default coalescing, a
    // request written right after an answer to a server push waited for the server's delayed
    // acknowledgement of that answer, some 40 ms.
    static int socketOpened(xmpp_conn_t *, void *socket)
    {
        const int descriptor = *static_cast<const int *>(socket);
        const int noDelay = 1;
        setsockopt(descriptor, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
        if (XmppConnection *connection = XmppRunningConnection::connection())
            connection->m_interrupt->watchSocket(descriptor);
        return 0;
    }

    // The library gives the refused certificate only here, without the connection's own data:
    // the connection that is running the library on this thread takes it.
    static int certificateFailed(const xmpp_tlscert_t *certificate, const char *)
    {
        if (XmppConnection *connection = XmppRunningConnection::connection())
            connection->m_diagnosis->refuseCertificate(
                xmpp_tlscert_get_string(certificate, XMPP_CERT_FINGERPRINT_SHA256));
        return 0; // never trusted
    }

    static void connection(xmpp_conn_t *, xmpp_conn_event_t event, int, xmpp_stream_error_t *error,
                           void *self)
    {
        auto *connection = static_cast<XmppConnection *>(self);
        if (event == XMPP_CONN_CONNECT) {
            connection->m_state = State::Connected;
            return;
        }
        if (event == XMPP_CONN_RAW_CONNECT)
            return;
        connection->m_state = State::Closed;
        // The library has closed its socket; the kept duplicate would hold it open.
        connection->m_interrupt->releaseSockets();
        if (error)
            connection->m_diagnosis->closeStream(
                error->text ? QString::fromUtf8(error->text)
                            : QString::fromUtf8(xmpp_stanza_get_name(error->stanza)));
    }

    static int stanza(xmpp_conn_t *, xmpp_stanza_t *stanza, void *self)
    {
        auto *connection = static_cast<XmppConnection *>(self);
        const bool wanted =
            XmppStanza::isNamed(stanza, "presence") || XmppStanza::isNamed(stanza, "message") ||
            (XmppStanza::isNamed(stanza, "iq") &&
             (XmppStanza::hasType(stanza, "get") || XmppStanza::hasType(stanza, "set")));
        if (wanted && connection->m_handler)
            connection->m_handler(stanza);
        return 1;
    }

    static int answer(xmpp_conn_t *, xmpp_stanza_t *stanza, void *pending)
    {
        static_cast<PendingAnswer *>(pending)->answer.reset(xmpp_stanza_clone(stanza));
        return 0;
    }

    static int answerHandled(xmpp_conn_t *, xmpp_stanza_t *stanza, void *self);
};

struct XmppConnection::Library
{
    xmpp_log_t log{};
    xmpp_ctx_t *context = nullptr;
    xmpp_conn_t *connection = nullptr;
    // The requests sent without waiting, by id, each with what takes its answer.
    std::map<QByteArray, AnswerHandler> answers;
};

int XmppConnection::Callbacks::answerHandled(xmpp_conn_t *, xmpp_stanza_t *stanza, void *self)
{
    auto &answers = static_cast<XmppConnection *>(self)->m_library->answers;
    const auto found = answers.find(QByteArray(xmpp_stanza_get_id(stanza)));
    if (found == answers.end())
        return 0;
    const AnswerHandler handler = std::move(found->second);
    answers.erase(found);
    if (handler)
        handler(stanza);
    return 0;
}

void XmppConnection::StanzaRelease::operator()(xmpp_stanza_t *stanza) const
{
    xmpp_stanza_release(stanza);
}

XmppConnection::XmppConnection(std::shared_ptr<XmppInterrupt> interrupt)
    : m_diagnosis(std::make_unique<XmppSignInDiagnosis>()), m_library(std::make_unique<Library>()),
      m_interrupt(interrupt ? std::move(interrupt) : std::make_shared<XmppInterrupt>())
{
    initializeLibraryOnce();
    m_library->log.handler = &Callbacks::log;
    m_library->log.userdata = this;
    m_library->context = xmpp_ctx_new(nullptr, &m_library->log);
    m_library->connection = m_library->context ? xmpp_conn_new(m_library->context) : nullptr;
    if (!m_library->connection) {
        if (m_library->context)
            xmpp_ctx_free(m_library->context);
        throw MessengerError(QStringLiteral("No se pudo preparar la conexión XMPP (sin memoria)"));
    }
    // One handler for everything: the library keeps a function only once per connection, so a
    // second registration of the same function (for another stanza name) would be dropped.
    xmpp_handler_add(m_library->connection, &Callbacks::stanza, nullptr, nullptr, nullptr, this);
}

XmppConnection::~XmppConnection()
{
    // The owner of the handler may be partly destroyed already; nothing goes back to it now.
    m_handler = nullptr;
    m_progress = nullptr;
    const XmppRunningConnection running(this);
    if (m_state == State::Connected || m_state == State::Connecting) {
        xmpp_disconnect(m_library->connection);
        // Lets the closing of the stream go out; the server copes if it does not.
        for (int i = 0; i < 4; ++i)
            xmpp_run_once(m_library->context, 0);
    }
    xmpp_conn_release(m_library->connection);
    xmpp_ctx_free(m_library->context);
    m_interrupt->releaseSockets();
}

void XmppConnection::connect(const XmppSettings &settings, QByteArray &password,
                             const ProgressHandler &progress)
{
    if (m_state != State::Idle) {
        PasswordSource::wipe(password);
        throw MessengerError(QStringLiteral("La conexión XMPP ya se usó; hace falta otra"));
    }
    m_diagnosis->reset();
    m_progress = progress;
    configure(settings, password);
    if (m_progress)
        m_progress(Step::Connecting);

    const QString timeOut = QStringLiteral("No se pudo iniciar sesión en XMPP como %1: el "
                                           "servidor no respondió en %2 s.")
                                .arg(settings.bareJid(), seconds(settings.signInTimeLimit));
    const QDeadlineTimer deadline(settings.signInTimeLimit);
    const XmppAlarm alarm(*m_interrupt, deadline);
    m_state = State::Connecting;
    const QList<XmppResolver::Endpoint> endpoints = resolve(settings, deadline, timeOut);
    for (qsizetype i = 0; i < endpoints.size(); ++i) {
        if (attempt(endpoints[i], deadline, timeOut)) {
            forgetPassword();
            return;
        }
        // The next address, while it is only this one that could not be reached.
        if (i + 1 < endpoints.size() && m_diagnosis->onlyUnreachable()) {
            m_diagnosis->reset();
            continue;
        }
        break;
    }
    throw MessengerError(QStringLiteral("No se pudo iniciar sesión en XMPP como %1: %2.")
                             .arg(settings.bareJid(), m_diagnosis->failure(settings)));
}

QList<XmppResolver::Endpoint> XmppConnection::resolve(const XmppSettings &settings,
                                                      const QDeadlineTimer &deadline,
                                                      const QString &timeOut)
{
    std::optional<QList<XmppResolver::Endpoint>> endpoints;
    try {
        XmppResolver resolver(settings, [this] { return m_interrupt->isInterrupted(); });
        endpoints = resolver.resolve(deadline);
    } catch (...) {
        m_state = State::Closed;
        throw;
    }
    if (!endpoints) {
        m_state = State::Closed;
        throwIfInterrupted(timeOut);
        throw MessengerError(timeOut);
    }
    if (endpoints->isEmpty()) {
        m_state = State::Closed;
        const QString host = settings.host.isEmpty() ? settings.domain() : settings.host;
        throw MessengerError(QStringLiteral("No se pudo iniciar sesión en XMPP como %1: no se "
                                            "encontró el servidor de «%2».")
                                 .arg(settings.bareJid(), host));
    }
    return *endpoints;
}

bool XmppConnection::attempt(const XmppResolver::Endpoint &endpoint, const QDeadlineTimer &deadline,
                             const QString &timeOut)
{
    // A numeric address: the library connects without a look-up of its own, and still names
    // the account's domain to the server and checks the certificate against it.
    m_state = State::Connecting;
    const XmppRunningConnection running(this);
    const int started =
        xmpp_connect_client(m_library->connection, endpoint.address.toUtf8().constData(),
                            endpoint.port, &Callbacks::connection, this);
    if (started != XMPP_EOK) {
        m_state = State::Closed;
        throwIfInterrupted(timeOut);
        throw MessengerError(
            QStringLiteral("No se pudo preparar la conexión XMPP a %1").arg(endpoint.address));
    }
    const bool finished =
        waitForSignIn(std::chrono::milliseconds(std::max<qint64>(deadline.remainingTime(), 0)));
    if (m_state == State::Connected)
        return true;
    if (!finished) {
        xmpp_disconnect(m_library->connection);
        m_state = State::Closed;
        throw MessengerError(timeOut);
    }
    // A failure that came from the interrupt (the socket shut under the library) is said as
    // what it was, not as the broken connection it caused.
    throwIfInterrupted(timeOut);
    return false;
}

void XmppConnection::configure(const XmppSettings &settings, QByteArray &password)
{
    xmpp_conn_t *connection = m_library->connection;
    // Required TLS and no way to trust an unverified certificate; stream management would
    // only hide a lost connection from the calls that must report it.
    xmpp_conn_set_flags(connection, XMPP_CONN_FLAG_MANDATORY_TLS | XMPP_CONN_FLAG_DISABLE_SM);
    xmpp_conn_set_jid(connection, settings.jid.toUtf8().constData());
    xmpp_conn_set_pass(connection, password.constData());
    PasswordSource::wipe(password);
    if (!settings.caFile.isEmpty())
        xmpp_conn_set_cafile(connection, settings.caFile.toLocal8Bit().constData());
    xmpp_conn_set_certfail_handler(connection, &Callbacks::certificateFailed);
    xmpp_conn_set_sockopt_callback(connection, &Callbacks::socketOpened);
}

bool XmppConnection::waitForSignIn(std::chrono::milliseconds timeLimit)
{
    try {
        return runUntil([this] { return m_state != State::Connecting; }, timeLimit);
    } catch (const Error &) {
        xmpp_disconnect(m_library->connection);
        m_state = State::Closed;
        throw;
    }
}

void XmppConnection::forgetPassword()
{
    // The library keeps its own copy of the password for reconnecting, which this program
    // never does; it is not needed once signed in.
    if (const char *kept = xmpp_conn_get_pass(m_library->connection))
        std::memset(const_cast<char *>(kept), 0, std::strlen(kept));
}

bool XmppConnection::isConnected() const
{
    return m_state == State::Connected;
}

QString XmppConnection::boundJid() const
{
    const char *jid = xmpp_conn_get_bound_jid(m_library->connection);
    return jid ? QString::fromUtf8(jid) : QString();
}

void XmppConnection::setStanzaHandler(StanzaHandler handler)
{
    m_handler = std::move(handler);
}

XmppConnection::StanzaPtr XmppConnection::newStanza(const char *name) const
{
    StanzaPtr stanza(xmpp_stanza_new(m_library->context));
    xmpp_stanza_set_name(stanza.get(), name);
    return stanza;
}

XmppConnection::StanzaPtr XmppConnection::newIq(const char *type) const
{
    char *id = xmpp_uuid_gen(m_library->context);
    StanzaPtr iq(xmpp_iq_new(m_library->context, type, id));
    xmpp_free(m_library->context, id);
    return iq;
}

xmpp_stanza_t *XmppConnection::addChild(xmpp_stanza_t *parent, const char *name,
                                        const char *ns) const
{
    StanzaPtr child = newStanza(name);
    if (ns)
        xmpp_stanza_set_ns(child.get(), ns);
    xmpp_stanza_t *added = child.get();
    xmpp_stanza_add_child(parent, added); // takes its own reference, which outlives child
    return added;
}

void XmppConnection::addText(xmpp_stanza_t *parent, const QString &text) const
{
    StanzaPtr node(xmpp_stanza_new(m_library->context));
    xmpp_stanza_set_text(node.get(), text.toUtf8().constData());
    xmpp_stanza_add_child(parent, node.get());
}

void XmppConnection::send(xmpp_stanza_t *stanza)
{
    if (m_state != State::Connected)
        throw MessengerError(QStringLiteral("No hay conexión con el servidor XMPP"));
    xmpp_send(m_library->connection, stanza);
}

XmppConnection::StanzaPtr XmppConnection::request(StanzaPtr iq, std::chrono::milliseconds timeLimit,
                                                  const QString &what)
{
    if (m_state != State::Connected)
        throw MessengerError(
            QStringLiteral("No se pudo %1: no hay conexión con el servidor XMPP").arg(what));
    const QByteArray id = xmpp_stanza_get_id(iq.get());
    PendingAnswer pending;
    xmpp_id_handler_add(m_library->connection, &Callbacks::answer, id.constData(), &pending);
    xmpp_send(m_library->connection, iq.get());

    const auto forget = [&] {
        xmpp_id_handler_delete(m_library->connection, &Callbacks::answer, id.constData());
    };
    bool answered = false;
    try {
        answered =
            runUntil([&] { return pending.answer || m_state != State::Connected; }, timeLimit);
    } catch (...) {
        forget();
        throw;
    }
    if (pending.answer)
        return std::move(pending.answer);
    forget();
    const QString timeOut = QStringLiteral("No se pudo %1: el servidor no respondió en %2 s.")
                                .arg(what, seconds(timeLimit));
    if (!answered)
        throw MessengerError(timeOut);
    throwIfInterrupted(timeOut);
    throw MessengerError(
        QStringLiteral("No se pudo %1: se perdió la conexión con el servidor XMPP.").arg(what));
}

void XmppConnection::processPending()
{
    const XmppRunningConnection running(this);
    if (m_state == State::Connected && !m_interrupt->isInterrupted()) {
        for (int i = 0; i < 8; ++i)
            xmpp_run_once(m_library->context, 0);
    }
}

template <typename Done>
bool XmppConnection::runUntil(Done done, std::chrono::milliseconds timeLimit)
{
    const QDeadlineTimer deadline(timeLimit);
    const XmppRunningConnection running(this);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        // Checked before each slice: a slice waits at most a few milliseconds, or returns at
        // once when the interrupt shuts the socket under it.
        switch (m_interrupt->reason()) {
        case XmppInterrupt::Reason::Cancelled:
            throw XmppCancelled();
        case XmppInterrupt::Reason::TimedOut:
            return false;
        case XmppInterrupt::Reason::None:
            break;
        }
        runSlice();
    }
    return true;
}

void XmppConnection::throwIfInterrupted(const QString &timeOut) const
{
    switch (m_interrupt->reason()) {
    case XmppInterrupt::Reason::Cancelled:
        throw XmppCancelled();
    case XmppInterrupt::Reason::TimedOut:
        throw MessengerError(timeOut);
    case XmppInterrupt::Reason::None:
        break;
    }
}

void XmppConnection::runSlice()
{
    // The library reads once per run: a short wait, then a few more runs to drain what a large
    // TLS record left buffered.
    xmpp_run_once(m_library->context, 5);
    for (int i = 0; i < 4; ++i)
        xmpp_run_once(m_library->context, 0);
}

void XmppConnection::sendRequest(xmpp_stanza_t *iq, AnswerHandler handler)
{
    if (m_state != State::Connected)
        throw MessengerError(QStringLiteral("No hay conexión con el servidor XMPP"));
    const QByteArray id = xmpp_stanza_get_id(iq);
    m_library->answers[id] = std::move(handler);
    xmpp_id_handler_add(m_library->connection, &Callbacks::answerHandled, id.constData(), this);
    xmpp_send(m_library->connection, iq);
}

void XmppConnection::forgetRequest(const QByteArray &id)
{
    if (m_library->answers.erase(id) > 0)
        xmpp_id_handler_delete(m_library->connection, &Callbacks::answerHandled, id.constData());
}

bool XmppConnection::waitUntil(const std::function<bool()> &done,
                               std::chrono::milliseconds timeLimit)
{
    return runUntil([&] { return done() || m_state != State::Connected; }, timeLimit);
}
