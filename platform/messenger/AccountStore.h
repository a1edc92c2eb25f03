#pragma once

#include <QString>
#include <QtGlobal>

// Where a client keeps its account between runs. A removal is stored before the client drops
// the user from memory, so a store that throws leaves the client's lists as they were.
class AccountStore
{
public:
    AccountStore() = default;
    virtual ~AccountStore();
    Q_DISABLE_COPY_MOVE(AccountStore)

    virtual void removeUser(qint32 listNumber, const QString &emailAddress) = 0;
};
