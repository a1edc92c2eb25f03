#include "platform/messenger/MessengerUser.h"

#include "platform/messenger/MessengerError.h"

MessengerUser::MessengerUser(QString emailAddress, QString friendlyName)
    : m_emailAddress(std::move(emailAddress)), m_friendlyName(std::move(friendlyName))
{
}

void MessengerUser::throwNoMember(QStringView name)
{
    throw MessengerError(QStringLiteral("El usuario no tiene el miembro «%1»").arg(name));
}
