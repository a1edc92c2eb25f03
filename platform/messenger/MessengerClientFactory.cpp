#include "platform/messenger/MessengerClientFactory.h"

#include "platform/messenger/AccountFile.h"
#include "platform/messenger/DemoAccount.h"
#include "platform/messenger/MemoryMessengerClient.h"

std::unique_ptr<MessengerClient> createMessengerClient(const QProcessEnvironment &environment)
{
    // XMPP: a client for a live server (ORVALIN_XMPP) is chosen here, before the account file.

    const QString accountPath = environment.value(QStringLiteral("ORVALIN_ACCOUNT"));
    if (!accountPath.isEmpty()) {
        auto file = std::make_shared<AccountFile>(accountPath);
        return std::make_unique<MemoryMessengerClient>(file->account(), file);
    }
    return std::make_unique<MemoryMessengerClient>(DemoAccount::account());
}
