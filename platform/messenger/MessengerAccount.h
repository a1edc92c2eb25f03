#pragma once

#include "platform/messenger/MessengerUser.h"

#include <QList>
#include <QString>

// Everything a client serves about one account: the default service's texts and two lists.
struct MessengerAccount
{
    qint32 signInState = 2;
    QString signInName;
    QString displayName;
    QList<MessengerUser> contactList;
    QList<MessengerUser> reverseList;
};
