#pragma once

#include <QString>
#include <QtGlobal>

// One account in the user's settings. Never its password: that lives in the system keyring.
struct RememberedAccount
{
    // An XMPP address, the path of an account file, or "demo".
    QString address;
    // The "Avanzado" fields: empty host and port 0 mean "find the server the usual way".
    QString host;
    quint16 port = 0;
    QString caFile;
    bool rememberPassword = false;
    bool signInAutomatically = false;

    bool operator==(const RememberedAccount &) const = default;
};
