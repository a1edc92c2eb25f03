#pragma once

#include <QByteArrayView>
#include <QString>

struct XmppSettings;

// What the library said about a sign-in, kept to tell the user in one sentence why it failed.
// The library reports most causes only in its log, so its lines are read here; nothing else of
// the log is kept, since its debug output includes what is sent.
class XmppSignInDiagnosis
{
public:
    void reset() { *this = {}; }

    // One line of the library's log, from the given area ("tls", "auth", "xmpp", "conn"…).
    void readLog(QByteArrayView area, QByteArrayView text);
    // The server's certificate was refused; fingerprint is the library's SHA-256 text, if any.
    void refuseCertificate(const char *fingerprint);
    // The stream ended with this error; the first one stays.
    void closeStream(const QString &error);

    // The server could not be reached at all, and nothing else went wrong: another of its
    // addresses may do.
    bool onlyUnreachable() const;

    // Why the sign-in failed, as the end of "No se pudo iniciar sesión en XMPP como …: ".
    QString failure(const XmppSettings &settings) const;

private:
    bool m_credentialsRefused = false;
    bool m_certificateRefused = false;
    QString m_certificateFingerprint;
    bool m_tlsFailed = false;
    bool m_tlsMissing = false;
    int m_socketError = 0;
    QString m_streamError;
};
