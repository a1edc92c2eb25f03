#pragma once

#include "platform/messenger/MessengerAccount.h"

// An account of n contacts whose reverse list, also of n people, misses every fifth contact
// and holds as many people who are not contacts instead.
MessengerAccount benchAccount(int n);
QStringList addressesOf(const QList<MessengerUser> &users);
