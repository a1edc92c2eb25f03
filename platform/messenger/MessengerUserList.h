#pragma once

#include <QtGlobal>
#include <memory>

class MessengerUser;

// One numbered list of the client. Users are enumerated by index, 0 to count() - 1, in the
// client's order.
class MessengerUserList
{
public:
    MessengerUserList() = default;
    virtual ~MessengerUserList();
    Q_DISABLE_COPY_MOVE(MessengerUserList)

    virtual qint32 count() const = 0;
    virtual std::shared_ptr<const MessengerUser> user(qint32 index) const = 0;
    // Takes the user with the same address off this list.
    virtual void remove(const MessengerUser &user) = 0;
};
