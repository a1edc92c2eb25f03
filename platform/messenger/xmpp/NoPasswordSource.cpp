#include "platform/messenger/xmpp/NoPasswordSource.h"

#include "platform/base/Product.h"

#include "platform/messenger/MessengerError.h"

QByteArray NoPasswordSource::password(const QString &account)
{
    throw MessengerError(QStringLiteral("No hay contraseña para %1: indique un archivo en "
                                        "ORVALIN_XMPP_PASSWORD_FILE o guárdela en el llavero "
                                        "iniciando sesión en %2 con «Recordar contraseña»")
                             .arg(account, Product::name()));
}
