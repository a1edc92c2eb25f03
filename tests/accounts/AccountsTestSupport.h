#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The keyring entries of the tests, apart from the program's own.
QString testKeyringService();
// The private HOME that keyring-session.sh made; fails the test when it is not set.
QString testHome();
// Every file under the test's HOME whose bytes contain secret.
QStringList filesHolding(const QByteArray &secret);
// Locks the keyring's default collection over D-Bus, as the desktop does when the screen
// locks; false when the Secret Service would not.
bool lockKeyring();
