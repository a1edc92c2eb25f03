#pragma once

#include "platform/messenger/accounts/AccountChoice.h"

#include <QProcessEnvironment>
#include <QString>

#include <memory>

class MessengerClient;
class PasswordSource;
class QTextStream;

// The account every orvalin-audit command uses, as the one account chooser picks it:
// --account, then the environment, then the remembered account that signs in by itself, else
// the built-in demo. Throws MessengerError for a value that names no usable account.
AccountChoice chooseAuditAccount(const QString &commandLine,
                                 const QProcessEnvironment &environment);

// The client of that account, signed in; the password of an XMPP account comes from its
// password file, the keyring, or else askPassword (none: it is refused). The keyring is never
// unlocked from here, as a scheduled run has nobody to answer its prompt; a keyring that cannot
// be used is told to err.
std::unique_ptr<MessengerClient> createAuditClient(const AccountChoice &choice,
                                                   const QProcessEnvironment &environment,
                                                   PasswordSource *askPassword, QTextStream &err);

// The sign-in name of the account, read without signing in; the history files it under its
// canonical form (AccountName).
QString signInNameOf(const AccountChoice &choice);

// Nothing names an account, so the built-in demo stands in: a scheduled check has nobody to
// check for.
bool noAccountRemembered(const AccountChoice &choice);
