#pragma once

#include <QString>

// Texts the window and orvalin-audit both show, kept once so that the two never drift apart.
namespace AuditTexts {

// Why nothing can be scanned: the account is signed out.
inline QString signedOut()
{
    return QStringLiteral(
        "Debe Tener Iniciada Sesion en MSN Messenger para Utilizar este Programa");
}

// What --account takes, in both programs' help.
inline QString accountOption()
{
    return QStringLiteral("La cuenta: una dirección XMPP, un archivo de cuenta, una descarga de "
                          "datos de una red social o «demo».");
}

} // namespace AuditTexts
