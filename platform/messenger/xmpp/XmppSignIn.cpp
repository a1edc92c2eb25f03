#include "platform/messenger/xmpp/XmppSignIn.h"

#include "platform/messenger/MessengerError.h"
#include "platform/messenger/xmpp/XmppCancelled.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"
#include "platform/messenger/xmpp/XmppSessionThread.h"

#include <QCoreApplication>
#include <QPointer>

XmppSignIn::XmppSignIn(QObject *parent) : QObject(parent)
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
    const quint64 attempt = ++m_attempt;
    m_session = std::make_shared<XmppSessionThread>(settings);
    // The reports come from the session's thread and are queued to the application object,
    // which outlives this one; there they check that this object is still there.
    const QPointer<XmppSignIn> self(this);
    QObject *const application = QCoreApplication::instance();
    m_session->startSignIn(
        password,
        [self, attempt, application](XmppConnection::Step step) {
            QMetaObject::invokeMethod(application, [self, attempt, step] {
                if (self && self->m_attempt == attempt && self->m_session)
                    Q_EMIT self->stepChanged(stepText(step));
            });
        },
        [self, attempt, application](const std::exception_ptr &failure) {
            QString message;
            if (failure) {
                try {
                    std::rethrow_exception(failure);
                } catch (const XmppCancelled &) {
                    return; // whoever cancelled has moved on
                } catch (const MessengerError &error) {
                    message = error.message();
                } catch (const std::exception &error) {
                    message = QString::fromUtf8(error.what());
                }
            }
            QMetaObject::invokeMethod(application, [self, attempt, message] {
                if (self)
                    self->finish(attempt, message);
            });
        });
    m_deadline.start(m_session->signInDeadline());
}

void XmppSignIn::cancel()
{
    m_deadline.stop();
    if (!m_session)
        return;
    ++m_attempt;
    m_session->cancel();
    // The thread may still be inside a step; it ends on its own once the interrupt reaches it.
    m_session.reset();
}

void XmppSignIn::finish(quint64 attempt, const QString &failure)
{
    if (attempt != m_attempt || !m_session)
        return;
    m_deadline.stop();
    std::shared_ptr<XmppSessionThread> session = std::move(m_session);
    if (!failure.isEmpty()) {
        session.reset();
        Q_EMIT failed(failure);
        return;
    }
    m_signedIn = std::move(session);
    Q_EMIT succeeded();
}

std::unique_ptr<MessengerClient> XmppSignIn::takeClient()
{
    if (!m_signedIn)
        return nullptr;
    return std::make_unique<XmppMessengerClient>(std::move(m_signedIn));
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
