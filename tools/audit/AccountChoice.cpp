#include "tools/audit/AccountChoice.h"

#include "platform/messenger/AccountFile.h"
#include "platform/messenger/DemoAccount.h"
#include "platform/messenger/MessengerClientFactory.h"
#include "platform/messenger/xmpp/XmppSettings.h"

ChosenAccount chooseAccount(const QProcessEnvironment &environment)
{
    const QString backend = chosenBackend(environment);
    if (backend == QLatin1String("xmpp"))
        return {backend, XmppSettings::fromEnvironment(environment).bareJid()};
    if (backend == QLatin1String("file"))
        return {
            backend,
            AccountFile(environment.value(QStringLiteral("ORVALIN_ACCOUNT"))).account().signInName};
    return {backend, DemoAccount::account().signInName};
}

bool noAccountRemembered(const QProcessEnvironment &environment)
{
    return chosenBackend(environment) == QLatin1String("demo");
}
