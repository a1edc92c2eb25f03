#include "platform/messenger/accounts/AccountKeeper.h"

#include "platform/messenger/accounts/AccountChoice.h"
#include "platform/messenger/accounts/Keyring.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "platform/messenger/xmpp/PasswordSource.h"

AccountKeeper::AccountKeeper(RememberedAccounts &remembered, const Keyring &keyring)
    : m_remembered(remembered), m_keyring(keyring)
{
}

QByteArray AccountKeeper::keptPassword(const QString &address)
{
    const std::optional<RememberedAccount> remembered = m_remembered.find(address);
    if (!remembered || !remembered->rememberPassword || !m_keyringProblem.isEmpty())
        return {};
    Keyring::Answer kept = m_keyring.read(remembered->address);
    if (kept.status == Keyring::Status::Unavailable)
        m_keyringProblem = kept.error;
    return kept.status == Keyring::Status::Ok ? std::exchange(kept.password, QByteArray())
                                              : QByteArray();
}

void AccountKeeper::checkKeyring(const QString &address)
{
    if (!m_keyringProblem.isEmpty())
        return;
    Keyring::Answer probe = m_keyring.read(address);
    PasswordSource::wipe(probe.password);
    if (probe.status == Keyring::Status::Unavailable)
        m_keyringProblem = probe.error;
}

RememberedAccount AccountKeeper::keep(RememberedAccount account, QByteArray &password)
{
    // The password is kept under the same name as the account, however it was typed.
    account.address = RememberedAccounts::keyOf(account.address);
    if (AccountChoice::kindOf(account.address) == AccountChoice::Kind::Xmpp) {
        if (account.rememberPassword) {
            const Keyring::Answer stored = m_keyring.write(account.address, password);
            account.rememberPassword = stored.status == Keyring::Status::Ok;
        } else if (m_keyringProblem.isEmpty()) {
            m_keyring.remove(account.address);
        }
    } else {
        const bool automatic = account.signInAutomatically;
        const QString address = account.address;
        account = RememberedAccount();
        account.address = address;
        account.signInAutomatically = automatic;
    }
    PasswordSource::wipe(password);
    m_remembered.save(account);
    m_remembered.setLastUsed(account.address);
    return account;
}

QString AccountKeeper::forget(const QString &typed)
{
    const QString address = RememberedAccounts::keyOf(typed);
    if (m_keyringProblem.isEmpty()) {
        const Keyring::Answer removed = m_keyring.remove(address);
        if (removed.status == Keyring::Status::Unavailable)
            return QStringLiteral("No se pudo quitar la contraseña de %1 del llavero del "
                                  "sistema (%2).")
                .arg(address, removed.error);
    }
    m_remembered.forget(address);
    return {};
}
