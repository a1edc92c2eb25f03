#include "tests/support/AuditFixtures.h"

#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/MessengerUserList.h"

MessengerAccount accountWith(const QStringList &contacts, const QStringList &reverse)
{
    MessengerAccount account;
    account.signInState = 2;
    account.signInName = QStringLiteral("yo@example.org");
    account.displayName = QStringLiteral("Yo");
    for (const QString &address : contacts)
        account.contactList.append(MessengerUser(address, nameFor(address)));
    for (const QString &address : reverse)
        account.reverseList.append(MessengerUser(address, nameFor(address)));
    return account;
}

QString nameFor(const QString &address)
{
    return address.toUpper();
}

QStringList contactAddresses(MessengerClient &client)
{
    const auto list = client.userList(MessengerClient::ContactList);
    QStringList result;
    for (qint32 i = 0; i < list->count(); ++i)
        result.append(list->user(i).member(u"EmailAddress"));
    return result;
}

void RecordingStore::removeUser(qint32, const QString &emailAddress)
{
    if (m_refused.contains(emailAddress))
        throw MessengerError(QStringLiteral("el servidor no lo permite"));
    removed.append(emailAddress);
}

std::shared_ptr<MessengerServiceSet> FaultyClient::serviceSet()
{
    if (failingServiceSet)
        throw MessengerError(QStringLiteral("conexión perdida"));
    return MemoryMessengerClient::serviceSet();
}

std::shared_ptr<MessengerUserList> FaultyClient::userList(qint32 listNumber)
{
    ++userListCalls;
    if (failUserListFromCall >= 0 && userListCalls >= failUserListFromCall)
        throw MessengerError(QStringLiteral("conexión perdida"));
    if (listNumber == ReverseList)
        ++reverseListCalls;
    return MemoryMessengerClient::userList(listNumber);
}

std::shared_ptr<const MessengerUser> FaultyClient::lookUpUser(const QString &emailAddress,
                                                              const MessengerService &service)
{
    if (failingLookUps.contains(emailAddress))
        throw MessengerError(QStringLiteral("usuario desconocido"));
    return MemoryMessengerClient::lookUpUser(emailAddress, service);
}
