#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Where the password of the XMPP account comes from at sign-in. Implementations never store,
// print or log it; the caller wipes the returned bytes once the library has them.
class PasswordSource
{
public:
    PasswordSource() = default;
    virtual ~PasswordSource();
    Q_DISABLE_COPY_MOVE(PasswordSource)

    // The password of account (its bare address) as UTF-8. Throws MessengerError when there is
    // none to be had: unreadable or unsafe file, a cancelled dialog, nothing typed.
    virtual QByteArray password(const QString &account) = 0;

    // Overwrites the bytes in place, so that the password does not linger in freed memory.
    static void wipe(QByteArray &secret);
};
