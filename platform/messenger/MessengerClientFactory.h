#pragma once

#include <QProcessEnvironment>
#include <memory>

class MessengerClient;

// Picks the client from the environment: ORVALIN_ACCOUNT names an account file to serve;
// otherwise the built-in demo account. Throws MessengerError when the chosen client cannot start
// (for instance a bad account file).
std::unique_ptr<MessengerClient> createMessengerClient(const QProcessEnvironment &environment);

// Which kind of account createMessengerClient serves for this environment: "xmpp", "file" or
// "demo". The history keeps it beside each scan.
QString chosenBackend(const QProcessEnvironment &environment);
