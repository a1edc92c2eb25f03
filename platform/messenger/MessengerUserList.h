#pragma once

#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/UserTable.h"

#include <QtGlobal>
#include <memory>

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

    // The member of the user at index, by name, as user(index).member(name) reads it; from the
    // list's table when the backend lays one out, which keeps a walk over a long list in order
    // through memory. Valid while the list is held and unchanged.
    Q_ALWAYS_INLINE QStringView member(qint32 index, QStringView name) const
    {
        if (m_table)
            return m_table->member(index, name);
        return user(index).member(name);
    }

protected:
    // The same users as user() hands out, in the same order; set again whenever they change.
    void setTable(std::shared_ptr<const UserTable> table) { m_table = std::move(table); }

private:
    std::shared_ptr<const UserTable> m_table;
};
