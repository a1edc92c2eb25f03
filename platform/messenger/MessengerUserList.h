#pragma once

#include <QtGlobal>

class MessengerUser;

// One numbered list of the client, as it was when fetched. Users are enumerated by index, 0 to
// count() - 1, in the client's order; a user handed out by user() belongs to this list object and
// stays valid while the list is held and has not removed that user. Borrowing instead of sharing
// each user keeps the scan's walk over two lists free of reference counting.
class MessengerUserList
{
public:
    MessengerUserList() = default;
    virtual ~MessengerUserList();
    Q_DISABLE_COPY_MOVE(MessengerUserList)

    virtual qint32 count() const = 0;
    virtual const MessengerUser &user(qint32 index) const = 0;
    // Takes the user with the same address off this list and off the client's list.
    virtual void remove(const MessengerUser &user) = 0;
};
