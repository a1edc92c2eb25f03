#include "platform/messenger/AccountStore.h"

#include "platform/base/Error.h"

AccountStore::~AccountStore() = default;

QHash<QString, QString> AccountStore::removeUsers(qint32 listNumber, const QStringList &addresses)
{
    QHash<QString, QString> refused;
    for (const QString &address : addresses) {
        try {
            removeUser(listNumber, address);
        } catch (const Error &error) {
            refused.insert(address, error.message());
        }
    }
    return refused;
}
