#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

class MessengerService;
class MessengerServiceSet;
class MessengerUser;
class MessengerUserList;

// The Messenger client's automation object. Every operation may throw MessengerError; the
// objects it hands out are fetched anew for each use.
class MessengerClient
{
public:
    static constexpr qint32 ContactList = 0;
    static constexpr qint32 ReverseList = 3;

    MessengerClient() = default;
    virtual ~MessengerClient();
    Q_DISABLE_COPY_MOVE(MessengerClient)

    virtual std::shared_ptr<MessengerServiceSet> serviceSet() = 0;
    // ContactList or ReverseList; any other number throws.
    virtual std::shared_ptr<MessengerUserList> userList(qint32 listNumber) = 0;
    virtual std::shared_ptr<const MessengerUser> lookUpUser(const QString &emailAddress,
                                                            const MessengerService &service) = 0;
};
