#include "platform/messenger/MessengerClientFactory.h"

#include "platform/messenger/AccountFile.h"
#include "platform/messenger/DemoAccount.h"
#include "platform/messenger/MemoryMessengerClient.h"
#include "platform/messenger/MessengerError.h"

std::unique_ptr<MessengerClient> createMessengerClient(const QProcessEnvironment &environment)
{
    // The live XMPP client needs a way to ask for the password and lives in orvalin_xmpp, which
    // builds on this library: programs that offer it call the overload in XmppClientFactory.h.
    // Here the account must not silently fall back to another client.
    if (!environment.value(QStringLiteral("ORVALIN_XMPP")).isEmpty())
        throw MessengerError(QStringLiteral("ORVALIN_XMPP está definida, pero este programa se "
                                            "construyó sin el cliente XMPP"));

    const QString accountPath = environment.value(QStringLiteral("ORVALIN_ACCOUNT"));
    if (!accountPath.isEmpty()) {
        auto file = std::make_shared<AccountFile>(accountPath);
        return std::make_unique<MemoryMessengerClient>(file->account(), file);
    }
    return std::make_unique<MemoryMessengerClient>(DemoAccount::account());
}

QString chosenBackend(const QProcessEnvironment &environment)
{
    if (!environment.value(QStringLiteral("ORVALIN_XMPP")).isEmpty())
        return QStringLiteral("xmpp");
    if (!environment.value(QStringLiteral("ORVALIN_ACCOUNT")).isEmpty())
        return QStringLiteral("file");
    return QStringLiteral("demo");
}
