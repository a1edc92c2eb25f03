#include "platform/messenger/MemoryMessengerClient.h"

#include "platform/messenger/AccountStore.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/MessengerUserList.h"

#include <QSet>
#include <algorithm>
#include <cstring>

// Users are kept by value, side by side: the scan walks them in a tight loop.
using Users = QList<MessengerUser>;

struct MemoryMessengerClient::State
{
    qint32 signInState = 0;
    QString signInName;
    QString displayName;
    Users contactList;
    Users reverseList;
    // Each list laid out for the scan, made when first asked for and dropped when it changes.
    std::shared_ptr<const UserTable> contactTable;
    std::shared_ptr<const UserTable> reverseTable;
    std::shared_ptr<AccountStore> store;
    bool holding = false;
    // Removals kept back while holding, per list, in the order they were made.
    QHash<qint32, QStringList> held;
    QHash<qint32, QSet<QString>> heldSet;
};

namespace {

std::shared_ptr<const UserTable> &tableSlot(MemoryMessengerClient::State &state, qint32 listNumber)
{
    return listNumber == MessengerClient::ContactList ? state.contactTable : state.reverseTable;
}

std::shared_ptr<const UserTable> tableOf(MemoryMessengerClient::State &state, qint32 listNumber)
{
    std::shared_ptr<const UserTable> &table = tableSlot(state, listNumber);
    if (!table)
        table = std::make_shared<const UserTable>(
            listNumber == MessengerClient::ContactList ? state.contactList : state.reverseList);
    return table;
}

// A constant view: one made from the literal at each call would measure it every time.
constexpr QStringView EmailAddress = u"EmailAddress";

// Exact, case-sensitive equality: QString's operator== goes through Qt's general ordering
// compare, while equal-length UTF-16 texts are equal exactly when their bytes are.
bool sameAddress(const QString &a, const QString &b)
{
    return a.size() == b.size() &&
           std::memcmp(a.constData(), b.constData(), size_t(a.size()) * sizeof(QChar)) == 0;
}

QString listName(qint32 listNumber)
{
    return listNumber == MessengerClient::ContactList ? QStringLiteral("la lista de contactos")
                                                      : QStringLiteral("la lista inversa");
}

class MemoryService : public MessengerService
{
public:
    explicit MemoryService(std::shared_ptr<MemoryMessengerClient::State> state)
        : m_state(std::move(state))
    {
    }

    qint32 signInState() const override { return m_state->signInState; }
    QString signInName() const override { return m_state->signInName; }
    QString displayName() const override { return m_state->displayName; }

private:
    std::shared_ptr<MemoryMessengerClient::State> m_state;
};

class MemoryServiceSet : public MessengerServiceSet
{
public:
    explicit MemoryServiceSet(std::shared_ptr<MemoryMessengerClient::State> state)
        : m_state(std::move(state))
    {
    }

    std::shared_ptr<MessengerService> defaultService() override
    {
        return std::make_shared<MemoryService>(m_state);
    }

private:
    std::shared_ptr<MemoryMessengerClient::State> m_state;
};

class MemoryUserList : public MessengerUserList
{
public:
    MemoryUserList(std::shared_ptr<MemoryMessengerClient::State> state, qint32 listNumber)
        : m_state(std::move(state)), m_listNumber(listNumber), m_users(clientUsers())
    {
        setTable(tableOf(*m_state, m_listNumber));
    }

    qint32 count() const override { return qint32(m_users.size()); }

    const MessengerUser &user(qint32 index) const override
    {
        if (index < 0 || index >= m_users.size()) [[unlikely]]
            throwNoUser(index);
        return m_users.at(index);
    }

    void remove(const MessengerUser &user) override
    {
        const QString &address = user.member(EmailAddress);
        Users &list = clientUsers();
        const auto found = std::find_if(list.cbegin(), list.cend(), [&](const auto &candidate) {
            return sameAddress(candidate.member(EmailAddress), address);
        });
        if (found == list.cend())
            throw MessengerError(
                QStringLiteral("%1 no está en %2").arg(address, listName(m_listNumber)));
        const qsizetype index = found - list.cbegin();
        if (m_state->holding) {
            QSet<QString> &heldSet = m_state->heldSet[m_listNumber];
            if (heldSet.contains(address))
                throw MessengerError(QStringLiteral("%1 ya se está quitando de %2")
                                         .arg(address, listName(m_listNumber)));
            heldSet.insert(address);
            m_state->held[m_listNumber].append(address);
            return;
        }
        if (m_state->store)
            m_state->store->removeUser(m_listNumber, address);
        // Let go of this object's share first, so that the removal does not copy the whole
        // list; the client's list then differs from the one users were handed out from.
        m_users = Users();
        list.removeAt(index);
        m_users = list;
        tableSlot(*m_state, m_listNumber).reset();
        setTable(tableOf(*m_state, m_listNumber));
    }

private:
    // Out of line, so that building the message costs the scan's tight loop nothing.
    [[noreturn]] Q_DECL_COLD_FUNCTION Q_NEVER_INLINE void throwNoUser(qint32 index) const
    {
        throw MessengerError(QStringLiteral("No hay ningún usuario en la posición %1 de %2")
                                 .arg(index)
                                 .arg(listName(m_listNumber)));
    }

    Users &clientUsers() const
    {
        return m_listNumber == MessengerClient::ContactList ? m_state->contactList
                                                            : m_state->reverseList;
    }

    std::shared_ptr<MemoryMessengerClient::State> m_state;
    qint32 m_listNumber;
    // Shares the client's list until either changes.
    Users m_users;
};

} // namespace

MemoryMessengerClient::MemoryMessengerClient(const MessengerAccount &account,
                                             std::shared_ptr<AccountStore> store)
    : m_state(std::make_shared<State>())
{
    m_state->signInState = account.signInState;
    m_state->signInName = account.signInName;
    m_state->displayName = account.displayName;
    m_state->contactList = account.contactList;
    m_state->reverseList = account.reverseList;
    m_state->store = std::move(store);
}

MemoryMessengerClient::~MemoryMessengerClient() = default;

std::shared_ptr<MessengerServiceSet> MemoryMessengerClient::serviceSet()
{
    return std::make_shared<MemoryServiceSet>(m_state);
}

std::shared_ptr<MessengerUserList> MemoryMessengerClient::userList(qint32 listNumber)
{
    if (listNumber != ContactList && listNumber != ReverseList)
        throw MessengerError(QStringLiteral("No existe la lista de usuarios %1").arg(listNumber));
    return std::make_shared<MemoryUserList>(m_state, listNumber);
}

std::shared_ptr<const MessengerUser> MemoryMessengerClient::lookUpUser(const QString &emailAddress,
                                                                       const MessengerService &)
{
    for (const Users *list : {&m_state->contactList, &m_state->reverseList}) {
        for (const auto &user : *list) {
            if (sameAddress(user.member(EmailAddress), emailAddress))
                return std::make_shared<const MessengerUser>(user);
        }
    }
    throw MessengerError(
        QStringLiteral("No existe ningún usuario con la dirección %1").arg(emailAddress));
}

void MemoryMessengerClient::setHoldingRemovals(bool holding)
{
    m_state->holding = holding;
    m_state->held.clear();
    m_state->heldSet.clear();
}

QHash<QString, QString> MemoryMessengerClient::commitRemovals()
{
    QHash<QString, QString> refused;
    for (auto held = m_state->held.cbegin(); held != m_state->held.cend(); ++held) {
        const qint32 listNumber = held.key();
        if (m_state->store) {
            try {
                refused.insert(m_state->store->removeUsers(listNumber, held.value()));
            } catch (const Error &error) {
                for (const QString &address : held.value())
                    refused.insert(address, error.message());
            }
        }
        QSet<QString> gone = m_state->heldSet.value(listNumber);
        for (auto it = refused.cbegin(); it != refused.cend(); ++it)
            gone.remove(it.key());
        Users &list = listNumber == ContactList ? m_state->contactList : m_state->reverseList;
        if (list.removeIf([&](const MessengerUser &user) {
                return gone.contains(user.member(EmailAddress));
            }) > 0)
            tableSlot(*m_state, listNumber).reset();
    }
    m_state->held.clear();
    m_state->heldSet.clear();
    return refused;
}
