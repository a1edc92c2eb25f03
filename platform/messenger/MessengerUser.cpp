#include "platform/messenger/MessengerUser.h"

#include "platform/messenger/MessengerError.h"

MessengerUser::MessengerUser(QString emailAddress, QString friendlyName)
    : m_emailAddress(std::move(emailAddress)), m_friendlyName(std::move(friendlyName))
{
}

const QString &MessengerUser::member(QStringView name) const
{
    // Compared as views: this runs for every pair of the scan and must not allocate.
    if (name == u"EmailAddress")
        return m_emailAddress;
    if (name == u"FriendlyName")
        return m_friendlyName;
    throw MessengerError(QStringLiteral("El usuario no tiene el miembro «%1»").arg(name));
}
