#pragma once

#include "platform/messenger/MessengerAccount.h"

// The account served when no account file is named: a signed-in user whose contact list has a
// few people missing from the reverse list, one of them differing from a reverse-list entry only
// in the case of a letter.
class DemoAccount
{
public:
    static MessengerAccount account();
};
