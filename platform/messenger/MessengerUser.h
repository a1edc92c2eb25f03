#pragma once

#include <QString>
#include <QStringView>

#include <cstring>

// A user as the client hands it out. Its members are reached by name at run time, the way the
// scan reads them; the lookup hands back the stored text without copying it.
class MessengerUser
{
public:
    MessengerUser(QString emailAddress, QString friendlyName);

    // "EmailAddress" or "FriendlyName"; any other name throws MessengerError. Inline because
    // the scan looks up two members for every pair it compares: with a constant name the
    // compiler reduces the lookup to a few instructions.
    const QString &member(QStringView name) const
    {
        if (isName(name, u"EmailAddress"))
            return m_emailAddress;
        if (isName(name, u"FriendlyName"))
            return m_friendlyName;
        throwNoMember(name);
    }

private:
    template <std::size_t N> static bool isName(QStringView name, const char16_t (&literal)[N])
    {
        return name.size() == qsizetype(N - 1) &&
               std::memcmp(name.utf16(), literal, (N - 1) * sizeof(char16_t)) == 0;
    }
    [[noreturn]] static void throwNoMember(QStringView name);

    QString m_emailAddress;
    QString m_friendlyName;
};
