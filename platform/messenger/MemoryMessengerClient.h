#pragma once

#include "platform/messenger/MessengerAccount.h"
#include "platform/messenger/MessengerClient.h"

#include <memory>

class AccountStore;

// A client that serves an account held in memory. Removals go through the optional store
// first, so that a store which fails leaves the lists unchanged.
class MemoryMessengerClient : public MessengerClient
{
public:
    explicit MemoryMessengerClient(const MessengerAccount &account,
                                   std::shared_ptr<AccountStore> store = {});
    ~MemoryMessengerClient() override;

    std::shared_ptr<MessengerServiceSet> serviceSet() override;
    std::shared_ptr<MessengerUserList> userList(qint32 listNumber) override;
    // Finds the address on the contact list, then on the reverse list; exact comparison.
    std::shared_ptr<const MessengerUser> lookUpUser(const QString &emailAddress,
                                                    const MessengerService &service) override;
    void setHoldingRemovals(bool holding) override;
    QHash<QString, QString> commitRemovals() override;

    struct State;

private:
    // Shared with the handed-out objects, which may outlive a single call.
    std::shared_ptr<State> m_state;
};
