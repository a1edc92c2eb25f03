#pragma once

#include "platform/messenger/accounts/AccountChoice.h"

#include <QProcessEnvironment>
#include <functional>
#include <memory>

class Keyring;
class MessengerWaiter;
class MessengerClient;
class PasswordSource;
class RememberedAccounts;

// The one place that decides which account orvalin and orvalin-audit use. First match wins:
//
//   1. the command line: --account ADDRESS, --account FILE, --account DOWNLOAD (a network's
//      data download: its ZIP or folder) or --account demo;
//   2. the environment: ORVALIN_XMPP (an XMPP address), else ORVALIN_ACCOUNT (a file);
//   3. the remembered settings: the last account used, when it is set to sign in by itself;
//   4. nothing named: the window asks (orvalin), or the demo account (orvalin-audit).
//
// For an XMPP account, ORVALIN_XMPP_HOST, ORVALIN_XMPP_PORT and ORVALIN_XMPP_CAFILE win over
// the remembered "Avanzado" fields of the same address. Its password comes from
// ORVALIN_XMPP_PASSWORD_FILE, else the keyring, else whoever the program asks.
class AccountChooser
{
public:
    enum class Fallback { Ask, Demo };

    AccountChooser(const QProcessEnvironment &environment, const RememberedAccounts &remembered);

    // commandLine is the value of --account, empty when not given. Throws MessengerError naming
    // the value (and where it came from) when it is no usable account.
    AccountChoice choose(const QString &commandLine, Fallback fallback) const;

    // What a value of --account names, as AccountChoice::kindOf tells. Throws MessengerError
    // naming origin when it is none of the kinds.
    AccountChoice named(const QString &value, const QString &origin) const;

    const QProcessEnvironment &environment() const { return m_environment; }

    // Where to reach address: the environment's fields over the remembered ones.
    XmppSettings xmppSettings(const QString &address, const QString &origin) const;

    // The client for choice (any kind but Ask). For an XMPP account the password comes from
    // the password file, the keyring or askPassword, in that order; this signs in, and it and
    // the client's later calls to the server wait as waiter says. A keyring that cannot be
    // used is told through tellKeyring, once, before askPassword is asked.
    using KeyringNotice = std::function<void(const QString &sentence)>;
    std::unique_ptr<MessengerClient>
    createClient(const AccountChoice &choice, const Keyring &keyring, PasswordSource &askPassword,
                 const std::shared_ptr<const MessengerWaiter> &waiter,
                 const KeyringNotice &tellKeyring = {}) const;

    // The client for an account that needs no sign-in (the demo, a file); null for the others.
    // Throws MessengerError when the file cannot be used.
    static std::unique_ptr<MessengerClient> localClient(const AccountChoice &choice);

    // A client whose user is signed out, for a sign-in the user cancelled.
    static std::unique_ptr<MessengerClient> signedOutClient();
    static std::unique_ptr<MessengerClient> demoClient();
    // Throws MessengerError when the file cannot be used.
    static std::unique_ptr<MessengerClient> fileClient(const QString &path);
    // Throws DownloadError when the data download cannot be read.
    static std::unique_ptr<MessengerClient> downloadClient(const QString &path);

private:
    QProcessEnvironment m_environment;
    const RememberedAccounts &m_remembered;
};
