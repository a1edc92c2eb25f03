#pragma once

#include <QProcessEnvironment>
#include <memory>

class MessengerClient;
class PasswordSource;

// createMessengerClient(environment) with the live XMPP account added in front: when
// ORVALIN_XMPP names an account, its client signs in to it, reading the password from the
// file in ORVALIN_XMPP_PASSWORD_FILE or, without that variable, from askPassword (a dialog in
// the window, the terminal in orvalin-audit). Otherwise the account file or the demo account,
// as before. Throws MessengerError when the chosen client cannot start.
std::unique_ptr<MessengerClient> createMessengerClient(const QProcessEnvironment &environment,
                                                       PasswordSource &askPassword);
