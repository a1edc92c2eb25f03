#pragma once

#include "platform/messenger/MessengerError.h"

// The user stopped the sign-in, or the work on the server, before it ended.
class XmppCancelled : public MessengerError
{
public:
    XmppCancelled();
};
