#include "platform/messenger/MessengerUser.h"

#include "platform/messenger/MessengerError.h"

#include <cstring>

namespace {

// The lookup runs twice for every pair of the scan. Qt's string comparisons are out-of-line
// calls; a fixed-size compare against the literal is a few instructions.
template <std::size_t N> bool isName(QStringView name, const char16_t (&literal)[N])
{
    return name.size() == qsizetype(N - 1) &&
           std::memcmp(name.utf16(), literal, (N - 1) * sizeof(char16_t)) == 0;
}

} // namespace

MessengerUser::MessengerUser(QString emailAddress, QString friendlyName)
    : m_emailAddress(std::move(emailAddress)), m_friendlyName(std::move(friendlyName))
{
}

const QString &MessengerUser::member(QStringView name) const
{
    if (isName(name, u"EmailAddress"))
        return m_emailAddress;
    if (isName(name, u"FriendlyName"))
        return m_friendlyName;
    throw MessengerError(QStringLiteral("El usuario no tiene el miembro «%1»").arg(name));
}
