#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <cstring>
#include <vector>

class MessengerUser;

// A list's users laid out side by side for the scan: every address back to back in one block,
// every name in another, and per user where each starts and how long it is. Walking a long list
// then reads memory in order instead of chasing one allocation per user.
class UserTable
{
public:
    UserTable() = default;
    // Throws MessengerError when the texts do not fit the table's 32-bit offsets.
    explicit UserTable(const QList<MessengerUser> &users);

    qint32 count() const { return qint32(m_addresses.size()); }

    // "EmailAddress" or "FriendlyName" of the user at index, by name as MessengerUser reads it;
    // any other name, or an index outside the table, throws MessengerError. Inline so that with
    // a constant name the lookup comes down to two loads.
    Q_ALWAYS_INLINE QStringView member(qint32 index, QStringView name) const
    {
        if (quint32(index) >= quint32(m_addresses.size())) [[unlikely]]
            throwNoUser(index);
        if (isName(name, u"EmailAddress"))
            return view(m_addressText, m_addresses[size_t(index)]);
        if (isName(name, u"FriendlyName"))
            return view(m_nameText, m_names[size_t(index)]);
        throwNoMember(name);
    }

private:
    struct Span
    {
        quint32 offset;
        quint32 length;
    };

    static QStringView view(const QString &text, Span span)
    {
        return QStringView(text.constData() + span.offset, qsizetype(span.length));
    }
    template <std::size_t N> static bool isName(QStringView name, const char16_t (&literal)[N])
    {
        return name.size() == qsizetype(N - 1) &&
               std::memcmp(name.utf16(), literal, (N - 1) * sizeof(char16_t)) == 0;
    }
    static Span append(QString &text, const QString &part);
    [[noreturn]] Q_DECL_COLD_FUNCTION static void throwNoUser(qint32 index);
    [[noreturn]] Q_DECL_COLD_FUNCTION static void throwNoMember(QStringView name);

    QString m_addressText;
    QString m_nameText;
    std::vector<Span> m_addresses;
    std::vector<Span> m_names;
};
