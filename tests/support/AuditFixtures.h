#pragma once

#include "platform/messenger/AccountStore.h"
#include "platform/messenger/MemoryMessengerClient.h"

#include <QSet>
#include <QStringList>

// Account with the given addresses; each contact's name is the address in capitals.
MessengerAccount accountWith(const QStringList &contacts, const QStringList &reverse);
QString nameFor(const QString &address);
QStringList contactAddresses(MessengerClient &client);

// Records every removal it stores and refuses those of the given addresses.
class RecordingStore : public AccountStore
{
public:
    explicit RecordingStore(QSet<QString> refused = {}) : m_refused(std::move(refused)) {}

    void removeUser(qint32 listNumber, const QString &emailAddress) override;

    QStringList removed;

private:
    QSet<QString> m_refused;
};

// A memory client whose LookUpUser fails for some addresses, whose UserList fails from a
// given call on and whose services fail while asked to; it also counts the UserList calls per
// list.
class FaultyClient : public MemoryMessengerClient
{
public:
    using MemoryMessengerClient::MemoryMessengerClient;

    std::shared_ptr<MessengerServiceSet> serviceSet() override;
    std::shared_ptr<MessengerUserList> userList(qint32 listNumber) override;
    std::shared_ptr<const MessengerUser> lookUpUser(const QString &emailAddress,
                                                    const MessengerService &service) override;

    QSet<QString> failingLookUps;
    int failUserListFromCall = -1;
    int userListCalls = 0;
    int reverseListCalls = 0;
    bool failingServiceSet = false;
};
