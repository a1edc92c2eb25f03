#include "platform/messenger/UserTable.h"

#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerUser.h"

#include <limits>

namespace {

constexpr QStringView EmailAddress = u"EmailAddress";
constexpr QStringView FriendlyName = u"FriendlyName";

} // namespace

UserTable::UserTable(const QList<MessengerUser> &users)
{
    qsizetype addressChars = 0;
    qsizetype nameChars = 0;
    for (const MessengerUser &user : users) {
        addressChars += user.member(EmailAddress).size();
        nameChars += user.member(FriendlyName).size();
    }
    constexpr qsizetype Limit = std::numeric_limits<quint32>::max();
    if (addressChars > Limit || nameChars > Limit)
        throw MessengerError(QStringLiteral("La lista de %1 usuarios es demasiado larga para "
                                            "recorrerla: sus textos pasan de 4 GiB")
                                 .arg(users.size()));
    m_addressText.reserve(addressChars);
    m_nameText.reserve(nameChars);
    m_addresses.reserve(size_t(users.size()));
    m_names.reserve(size_t(users.size()));
    for (const MessengerUser &user : users) {
        m_addresses.push_back(append(m_addressText, user.member(EmailAddress)));
        m_names.push_back(append(m_nameText, user.member(FriendlyName)));
    }
}

UserTable::Span UserTable::append(QString &text, const QString &part)
{
    const Span span{quint32(text.size()), quint32(part.size())};
    text.append(part);
    return span;
}

void UserTable::throwNoUser(qint32 index)
{
    throw MessengerError(QStringLiteral("No hay ningún usuario en la posición %1").arg(index));
}

void UserTable::throwNoMember(QStringView name)
{
    throw MessengerError(QStringLiteral("El usuario no tiene el miembro «%1»").arg(name));
}
