#include "platform/messenger/accounts/AccountKeeper.h"

#include "platform/messenger/accounts/AccountChoice.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "platform/messenger/xmpp/PasswordSource.h"

AccountKeeper::AccountKeeper(RememberedAccounts &remembered, const Keyring &keyring)
    : m_remembered(remembered), m_keyring(keyring)
{
}

void AccountKeeper::noteProblem(const Keyring::Answer &answer)
{
    if (answer.status != Keyring::Status::Unavailable || !m_keyringProblem.isEmpty())
        return;
    m_keyringProblem = answer.error;
    m_problem = answer.problem;
}

QByteArray AccountKeeper::keptPassword(const QString &address)
{
    const std::optional<RememberedAccount> remembered = m_remembered.find(address);
    if (!remembered || !remembered->rememberPassword || !m_keyringProblem.isEmpty())
        return {};
    Keyring::Answer kept = m_keyring.read(remembered->address);
    noteProblem(kept);
    return kept.status == Keyring::Status::Ok ? std::exchange(kept.password, QByteArray())
                                              : QByteArray();
}

void AccountKeeper::checkKeyring(const QString &address)
{
    if (!m_keyringProblem.isEmpty())
        return;
    Keyring::Answer probe = m_keyring.read(address);
    PasswordSource::wipe(probe.password);
    noteProblem(probe);
}

Keyring::Answer AccountKeeper::dropPassword(const QString &address)
{
    // With no keyring at all there is nothing to drop, and asking again only repeats it.
    if (m_problem == Keyring::Problem::Absent)
        return {Keyring::Status::Ok, {}, Keyring::Problem::None, {}};
    return m_keyring.remove(address);
}

RememberedAccount AccountKeeper::keep(RememberedAccount account, QByteArray &password)
{
    // The password is kept under the same name as the account, however it was typed.
    account.address = RememberedAccounts::keyOf(account.address);
    if (AccountChoice::kindOf(account.address) == AccountChoice::Kind::Xmpp) {
        Keyring::Answer stored;
        if (account.rememberPassword && m_keyringProblem.isEmpty())
            stored = m_keyring.write(account.address, password);
        account.rememberPassword = stored.status == Keyring::Status::Ok;
        noteProblem(stored);
        // An older password must not outlive the wish to keep it. A keyring found unusable is
        // not asked again: its problem was told.
        if (!account.rememberPassword && m_keyringProblem.isEmpty())
            noteProblem(m_keyring.remove(account.address));
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
    const Keyring::Answer removed = dropPassword(address);
    if (removed.status == Keyring::Status::Unavailable) {
        noteProblem(removed);
        return QStringLiteral("No se pudo quitar la contraseña de %1 del llavero del "
                              "sistema (%2).")
            .arg(address, removed.error);
    }
    m_remembered.forget(address);
    return {};
}
