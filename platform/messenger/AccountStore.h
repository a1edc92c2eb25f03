#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Where a client keeps its account between runs. A removal is stored before the client drops
// the user from memory, so a store that throws leaves the client's lists as they were.
class AccountStore
{
public:
    AccountStore() = default;
    virtual ~AccountStore();
    Q_DISABLE_COPY_MOVE(AccountStore)

    // Throws MessengerError when the user could not be removed.
    virtual void removeUser(qint32 listNumber, const QString &emailAddress) = 0;
    // Removes several users of one list at once, in order; gives back those that were not
    // removed, each with its reason. Stores that can write once for all override this; by
    // default each goes through removeUser.
    virtual QHash<QString, QString> removeUsers(qint32 listNumber, const QStringList &addresses);
};
