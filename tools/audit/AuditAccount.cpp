#include "tools/audit/AuditAccount.h"

#include "platform/messenger/AccountFile.h"
#include "platform/messenger/DemoAccount.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/PlainWaiter.h"
#include "platform/messenger/accounts/AccountChooser.h"
#include "platform/messenger/accounts/Keyring.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "platform/messenger/download/DataDownload.h"
#include "platform/messenger/xmpp/NoPasswordSource.h"

#include <QTextStream>

AccountChoice chooseAuditAccount(const QString &commandLine, const QProcessEnvironment &environment)
{
    const RememberedAccounts remembered(RememberedAccounts::pathFor(environment));
    return AccountChooser(environment, remembered)
        .choose(commandLine, AccountChooser::Fallback::Demo);
}

std::unique_ptr<MessengerClient> createAuditClient(const AccountChoice &choice,
                                                   const QProcessEnvironment &environment,
                                                   PasswordSource *askPassword, QTextStream &err)
{
    const RememberedAccounts remembered(RememberedAccounts::pathFor(environment));
    const AccountChooser chooser(environment, remembered);
    NoPasswordSource refused;
    const Keyring keyring(QStringLiteral("orvalin"), Keyring::Unlocking::Never);
    return chooser.createClient(
        choice, keyring, askPassword ? *askPassword : refused, std::make_shared<PlainWaiter>(),
        [&err](const QString &sentence) { err << "orvalin-audit: " << sentence << '\n'; });
}

QString signInNameOf(const AccountChoice &choice)
{
    switch (choice.kind) {
    case AccountChoice::Kind::Xmpp:
        return choice.xmpp.bareJid();
    case AccountChoice::Kind::File:
        return AccountFile(choice.address).account().signInName;
    case AccountChoice::Kind::Download:
        return DataDownload(choice.address).account().signInName;
    case AccountChoice::Kind::Demo:
    case AccountChoice::Kind::Ask:
        break;
    }
    return DemoAccount::account().signInName;
}

bool noAccountRemembered(const AccountChoice &choice)
{
    return choice.kind == AccountChoice::Kind::Demo &&
           choice.source == AccountChoice::Source::Default;
}
