#pragma once

#include "platform/messenger/accounts/Keyring.h"
#include "platform/messenger/accounts/RememberedAccount.h"

#include <QByteArray>
#include <QString>

class RememberedAccounts;

// What Orvalin keeps of the accounts the user signs in to, as the user asked: the account
// among the remembered ones, and an XMPP account's password in the system keyring. Never a
// password anywhere else: once the keyring is found unusable it is left alone, and the password
// is asked for again next time.
class AccountKeeper
{
public:
    AccountKeeper(RememberedAccounts &remembered, const Keyring &keyring);

    const RememberedAccounts &remembered() const { return m_remembered; }
    // Why the keyring cannot be used, once a call found out; empty until then.
    QString keyringProblem() const { return m_keyringProblem; }

    // The password kept for address, when it is remembered with its password; else empty.
    QByteArray keptPassword(const QString &address);
    // Asks the keyring about address, to learn early whether a password can be kept.
    void checkKeyring(const QString &address);

    // After a sign-in to account.address: keeps password (which it wipes) in the keyring when
    // account.rememberPassword, or else drops the one kept before; then remembers the account,
    // as the last one used. Only an XMPP account keeps a password and "Avanzado" fields.
    // Returns the account as remembered: rememberPassword is cleared when the keyring refused,
    // and keyringProblem() says why; so it does when the password kept before, no longer
    // wanted, could not be dropped.
    RememberedAccount keep(RememberedAccount account, QByteArray &password);
    // Forgets address and its password. When the keyring cannot drop the password, the account
    // stays and the returned sentence says why; empty on success.
    QString forget(const QString &address);

private:
    void noteProblem(const Keyring::Answer &answer);
    // Drops the password kept for address, unless no keyring serves this session at all.
    Keyring::Answer dropPassword(const QString &address);

    RememberedAccounts &m_remembered;
    const Keyring &m_keyring;
    QString m_keyringProblem;
    Keyring::Problem m_problem = Keyring::Problem::None;
};
