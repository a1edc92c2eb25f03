#include "platform/messenger/xmpp/XmppClientFactory.h"

#include "platform/messenger/MessengerClientFactory.h"
#include "platform/messenger/xmpp/FilePasswordSource.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"
#include "platform/messenger/xmpp/XmppSettings.h"

std::unique_ptr<MessengerClient> createMessengerClient(const QProcessEnvironment &environment,
                                                       PasswordSource &askPassword)
{
    if (environment.value(QStringLiteral("ORVALIN_XMPP")).isEmpty())
        return createMessengerClient(environment);
    const XmppSettings settings = XmppSettings::fromEnvironment(environment);
    const QString passwordFile = environment.value(QStringLiteral("ORVALIN_XMPP_PASSWORD_FILE"));
    if (passwordFile.isEmpty())
        return std::make_unique<XmppMessengerClient>(settings, askPassword);
    FilePasswordSource fromFile(passwordFile);
    return std::make_unique<XmppMessengerClient>(settings, fromFile);
}
