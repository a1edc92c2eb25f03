#include "platform/messenger/AccountStore.h"

#include <stdexcept>

AccountStore::~AccountStore() = default;

QHash<QString, QString> AccountStore::removeUsers(qint32 listNumber, const QStringList &addresses)
{
    QHash<QString, QString> refused;
    for (const QString &address : addresses) {
        try {
            removeUser(listNumber, address);
        } catch (const std::exception &error) {
            refused.insert(address, QString::fromUtf8(error.what()));
        }
    }
    return refused;
}
