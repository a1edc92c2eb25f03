#include "platform/messenger/accounts/AccountChooser.h"

#include "platform/messenger/AccountFile.h"
#include "platform/messenger/DemoAccount.h"
#include "platform/messenger/MemoryMessengerClient.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/accounts/Keyring.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "platform/messenger/download/DataDownload.h"
#include "platform/messenger/download/DownloadMessengerClient.h"
#include "platform/messenger/xmpp/FilePasswordSource.h"
#include "platform/messenger/xmpp/XmppMessengerClient.h"

#include <QFileInfo>

namespace {

// The password the keyring keeps, else whatever the fallback says.
class KeyringOrAsk : public PasswordSource
{
public:
    KeyringOrAsk(const Keyring &keyring, PasswordSource &ask, AccountChooser::KeyringNotice tell)
        : m_keyring(keyring), m_ask(ask), m_tell(std::move(tell))
    {
    }

    QByteArray password(const QString &account) override
    {
        // The window keeps the password under the account's remembered name; one kept by an
        // older version may still be under the name as it was typed.
        Keyring::Answer kept = m_keyring.read(RememberedAccounts::keyOf(account));
        if (kept.status == Keyring::Status::NotFound &&
            RememberedAccounts::keyOf(account) != account)
            kept = m_keyring.read(account);
        if (kept.status == Keyring::Status::Ok)
            return std::exchange(kept.password, QByteArray());
        if (kept.status == Keyring::Status::Unavailable && m_tell && !m_told) {
            m_told = true;
            m_tell(QStringLiteral("no se pudo leer la contraseña de %1 del llavero del sistema "
                                  "(%2)")
                       .arg(account, kept.error));
        }
        return m_ask.password(account);
    }

private:
    const Keyring &m_keyring;
    PasswordSource &m_ask;
    AccountChooser::KeyringNotice m_tell;
    bool m_told = false;
};

} // namespace

AccountChooser::AccountChooser(const QProcessEnvironment &environment,
                               const RememberedAccounts &remembered)
    : m_environment(environment), m_remembered(remembered)
{
}

AccountChoice AccountChooser::choose(const QString &commandLine, Fallback fallback) const
{
    if (!commandLine.isEmpty()) {
        AccountChoice choice = named(commandLine, QStringLiteral("--account"));
        choice.source = AccountChoice::Source::CommandLine;
        return choice;
    }

    const QString xmppAddress = m_environment.value(QStringLiteral("ORVALIN_XMPP"));
    if (!xmppAddress.isEmpty()) {
        AccountChoice choice;
        choice.kind = AccountChoice::Kind::Xmpp;
        choice.source = AccountChoice::Source::Environment;
        choice.xmpp = xmppSettings(xmppAddress, QStringLiteral("ORVALIN_XMPP"));
        choice.address = choice.xmpp.bareJid();
        choice.passwordFile = m_environment.value(QStringLiteral("ORVALIN_XMPP_PASSWORD_FILE"));
        return choice;
    }
    const QString accountFile = m_environment.value(QStringLiteral("ORVALIN_ACCOUNT"));
    if (!accountFile.isEmpty()) {
        AccountChoice choice;
        choice.kind = AccountChoice::Kind::File;
        choice.source = AccountChoice::Source::Environment;
        choice.address = accountFile;
        return choice;
    }

    const QString last = m_remembered.lastUsed();
    const std::optional<RememberedAccount> remembered = m_remembered.find(last);
    if (remembered && remembered->signInAutomatically) {
        AccountChoice choice =
            named(last, QStringLiteral("La cuenta recordada en %1").arg(m_remembered.path()));
        choice.source = AccountChoice::Source::Remembered;
        return choice;
    }

    AccountChoice choice;
    choice.kind = fallback == Fallback::Ask ? AccountChoice::Kind::Ask : AccountChoice::Kind::Demo;
    return choice;
}

AccountChoice AccountChooser::named(const QString &value, const QString &origin) const
{
    AccountChoice choice;
    const std::optional<AccountChoice::Kind> kind = AccountChoice::kindOf(value);
    if (!kind)
        throw MessengerError(QStringLiteral("%1: «%2» no es una dirección XMPP, ni un archivo de "
                                            "cuenta que exista, ni «demo»")
                                 .arg(origin, value));
    choice.kind = *kind;
    switch (*kind) {
    case AccountChoice::Kind::File:
    case AccountChoice::Kind::Download:
        choice.address = QFileInfo(value).absoluteFilePath();
        break;
    case AccountChoice::Kind::Xmpp:
        choice.xmpp = xmppSettings(value, origin);
        choice.address = choice.xmpp.bareJid();
        choice.passwordFile = m_environment.value(QStringLiteral("ORVALIN_XMPP_PASSWORD_FILE"));
        break;
    case AccountChoice::Kind::Demo:
    case AccountChoice::Kind::Ask:
        break;
    }
    return choice;
}

XmppSettings AccountChooser::xmppSettings(const QString &address, const QString &origin) const
{
    XmppSettings settings;
    settings.jid = XmppSettings::checkedJid(address, origin);
    if (const auto remembered = m_remembered.find(settings.bareJid())) {
        settings.host = remembered->host;
        settings.port = remembered->port;
        settings.caFile = remembered->caFile;
    }
    // The variables' checks, and their precedence over what was remembered.
    QProcessEnvironment advanced = m_environment;
    advanced.insert(QStringLiteral("ORVALIN_XMPP"), settings.jid);
    const XmppSettings fromEnvironment = XmppSettings::fromEnvironment(advanced);
    if (!m_environment.value(QStringLiteral("ORVALIN_XMPP_HOST")).trimmed().isEmpty())
        settings.host = fromEnvironment.host;
    if (!m_environment.value(QStringLiteral("ORVALIN_XMPP_PORT")).isEmpty())
        settings.port = fromEnvironment.port;
    if (!m_environment.value(QStringLiteral("ORVALIN_XMPP_CAFILE")).isEmpty())
        settings.caFile = fromEnvironment.caFile;
    return settings;
}

std::unique_ptr<MessengerClient> AccountChooser::createClient(
    const AccountChoice &choice, const Keyring &keyring, PasswordSource &askPassword,
    const std::shared_ptr<const MessengerWaiter> &waiter, const KeyringNotice &tellKeyring) const
{
    if (std::unique_ptr<MessengerClient> local = localClient(choice))
        return local;
    if (choice.kind != AccountChoice::Kind::Xmpp)
        throw MessengerError(QStringLiteral("No se indicó ninguna cuenta"));
    if (!choice.passwordFile.isEmpty()) {
        FilePasswordSource fromFile(choice.passwordFile);
        return std::make_unique<XmppMessengerClient>(choice.xmpp, fromFile, waiter);
    }
    KeyringOrAsk passwords(keyring, askPassword, tellKeyring);
    return std::make_unique<XmppMessengerClient>(choice.xmpp, passwords, waiter);
}

std::unique_ptr<MessengerClient> AccountChooser::localClient(const AccountChoice &choice)
{
    switch (choice.kind) {
    case AccountChoice::Kind::Demo:
        return demoClient();
    case AccountChoice::Kind::File:
        return fileClient(choice.address);
    case AccountChoice::Kind::Download:
        return downloadClient(choice.address);
    case AccountChoice::Kind::Xmpp:
    case AccountChoice::Kind::Ask:
        break;
    }
    return nullptr;
}

std::unique_ptr<MessengerClient> AccountChooser::signedOutClient()
{
    MessengerAccount account;
    account.signInState = MessengerService::SignedOut;
    return std::make_unique<MemoryMessengerClient>(account);
}

std::unique_ptr<MessengerClient> AccountChooser::demoClient()
{
    return std::make_unique<MemoryMessengerClient>(DemoAccount::account());
}

std::unique_ptr<MessengerClient> AccountChooser::fileClient(const QString &path)
{
    auto file = std::make_shared<AccountFile>(path);
    return std::make_unique<MemoryMessengerClient>(file->account(), file);
}

std::unique_ptr<MessengerClient> AccountChooser::downloadClient(const QString &path)
{
    return std::make_unique<DownloadMessengerClient>(DataDownload(path));
}
