#include "platform/messenger/xmpp/XmppSignIn.h"

#include "platform/base/Error.h"
#include "platform/messenger/xmpp/XmppCancelled.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"

XmppSignIn::XmppSignIn(std::shared_ptr<const MessengerWaiter> waiter, QObject *parent)
    : QObject(parent), m_waiter(std::move(waiter))
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        if (m_session)
            m_session->timeOut();
    });
}

XmppSignIn::~XmppSignIn()
{
    cancel();
}

void XmppSignIn::start(const XmppSettings &settings, QByteArray &password)
{
    cancel();
    m_signedIn.reset();
    m_session = std::make_shared<XmppSessionThread>(settings);
    m_reply = m_session->startSignIn(password);
    // Called on the session's thread, and never once stop() has detached it: this object is
    // there while it runs, and a queued collect() goes with this object.
    m_reply->setNotify(
        [this] { QMetaObject::invokeMethod(this, &XmppSignIn::collect, Qt::QueuedConnection); });
    m_deadline.start(m_session->signInDeadline());
}

void XmppSignIn::cancel()
{
    if (!m_session)
        return;
    m_session->cancel();
    // The thread may still be inside a step; it ends on its own once the interrupt reaches it.
    stop();
}

void XmppSignIn::stop()
{
    m_deadline.stop();
    if (m_reply)
        m_reply->detach();
    m_reply.reset();
    m_session.reset();
}

void XmppSignIn::collect()
{
    // A report queued before a cancel, or for an attempt since replaced, finds this one.
    if (!m_reply)
        return;
    for (const XmppConnection::Step step : m_reply->takeProgress()) {
        Q_EMIT stepChanged(stepText(step));
        if (!m_reply)
            return; // cancelled by whoever heard of the step
    }
    if (!m_reply->isFinished())
        return;
    const std::shared_ptr<XmppSessionThread::SignInReply> reply = m_reply;
    std::shared_ptr<XmppSessionThread> session = m_session;
    stop();
    try {
        reply->result();
    } catch (const XmppCancelled &) {
        return; // whoever cancelled has moved on
    } catch (const Error &error) {
        Q_EMIT failed(error.message());
        return;
    }
    m_signedIn = std::move(session);
    Q_EMIT succeeded();
}

std::unique_ptr<MessengerClient> XmppSignIn::takeClient()
{
    if (!m_signedIn)
        return nullptr;
    return std::make_unique<XmppMessengerClient>(std::move(m_signedIn), m_waiter);
}

QString XmppSignIn::stepText(XmppConnection::Step step)
{
    switch (step) {
    case XmppConnection::Step::Connecting:
        return QStringLiteral("Conectando con el servidor…");
    case XmppConnection::Step::CheckingCertificate:
        return QStringLiteral("Comprobando el certificado…");
    case XmppConnection::Step::ReadingContacts:
        return QStringLiteral("Leyendo tu lista de contactos…");
    }
    return {};
}
