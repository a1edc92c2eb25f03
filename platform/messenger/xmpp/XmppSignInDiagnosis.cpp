#include "platform/messenger/xmpp/XmppSignInDiagnosis.h"

#include "platform/base/Product.h"

#include "platform/messenger/xmpp/XmppSettings.h"

#include <cerrno>

namespace {

// The system's reason for a failed connection, in Spanish; the few that a user meets.
QString socketFailure(int error)
{
    switch (error) {
    case ECONNREFUSED:
        return QStringLiteral("rechazó la conexión");
    case ENETUNREACH:
    case EHOSTUNREACH:
        return QStringLiteral("no se puede alcanzar por la red");
    case ETIMEDOUT:
        return QStringLiteral("no contestó a tiempo");
    default:
        return QStringLiteral("error del sistema %1").arg(error);
    }
}

} // namespace

void XmppSignInDiagnosis::readLog(QByteArrayView area, QByteArrayView text)
{
    if (text.startsWith("TLS is not supported")) {
        m_tlsMissing = true;
    } else if (area == "tls") {
        if (text.startsWith("Certificate verification FAILED") ||
            text.startsWith("No certfail handler"))
            m_certificateRefused = true;
    } else if (area == "auth" && text.startsWith("Cannot authenticate")) {
        m_credentialsRefused = true;
    } else if (area == "xmpp") {
        static constexpr QByteArrayView connectFailed = "connection failed, error ";
        if (text.startsWith("SASL") && text.endsWith("auth failed"))
            m_credentialsRefused = true;
        else if (text.startsWith(connectFailed))
            m_socketError = text.sliced(connectFailed.size()).toInt();
    } else if (area == "conn" && text.startsWith("Couldn't start TLS")) {
        m_tlsFailed = true;
    }
}

void XmppSignInDiagnosis::refuseCertificate(const char *fingerprint)
{
    m_certificateRefused = true;
    if (!fingerprint)
        return;
    // Written as browsers and openssl show it: byte pairs between colons.
    QString hex = QString::fromLatin1(fingerprint).toUpper().remove(QLatin1Char(':'));
    for (qsizetype i = hex.size() - 2; i > 0; i -= 2)
        hex.insert(i, QLatin1Char(':'));
    m_certificateFingerprint = hex;
}

void XmppSignInDiagnosis::closeStream(const QString &error)
{
    if (m_streamError.isEmpty())
        m_streamError = error;
}

bool XmppSignInDiagnosis::onlyUnreachable() const
{
    return m_socketError != 0 && !m_credentialsRefused && !m_certificateRefused && !m_tlsFailed &&
           !m_tlsMissing && m_streamError.isEmpty();
}

QString XmppSignInDiagnosis::failure(const XmppSettings &settings) const
{
    if (m_certificateRefused) {
        QString reason = QStringLiteral("el certificado del servidor no es de confianza");
        if (!m_certificateFingerprint.isEmpty())
            reason += QStringLiteral(" (huella SHA-256 %1)").arg(m_certificateFingerprint);
        return reason + QStringLiteral("; si el servidor usa una autoridad propia, indique su "
                                       "certificado en «Avanzado» o en ORVALIN_XMPP_CAFILE");
    }
    if (m_tlsMissing)
        return QStringLiteral("el servidor no ofrece una conexión cifrada (TLS), y %1 nunca "
                              "inicia sesión sin ella")
            .arg(Product::name());
    if (m_credentialsRefused)
        return QStringLiteral("el servidor rechazó el usuario o la contraseña");
    if (m_tlsFailed)
        return QStringLiteral("no se pudo establecer una conexión cifrada (TLS) con el servidor");
    if (m_socketError != 0) {
        const QString host = settings.host.isEmpty() ? settings.domain() : settings.host;
        const QString where =
            settings.port != 0 ? QStringLiteral("%1:%2").arg(host).arg(settings.port) : host;
        return QStringLiteral("no se pudo conectar con el servidor %1, que %2")
            .arg(where, socketFailure(m_socketError));
    }
    if (!m_streamError.isEmpty())
        return QStringLiteral("el servidor cerró la conexión: %1").arg(m_streamError);
    return QStringLiteral("el servidor cerró la conexión antes de terminar el inicio de sesión");
}
