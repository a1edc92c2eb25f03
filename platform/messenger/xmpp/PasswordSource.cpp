#include "platform/messenger/xmpp/PasswordSource.h"

#include <cstring>

PasswordSource::~PasswordSource() = default;

void PasswordSource::wipe(QByteArray &secret)
{
    if (!secret.isEmpty()) {
        // volatile keeps the compiler from dropping a store to memory about to be freed.
        volatile char *bytes = secret.data();
        for (qsizetype i = 0; i < secret.size(); ++i)
            bytes[i] = 0;
    }
    secret.clear();
}
