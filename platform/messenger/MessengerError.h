#pragma once

#include "platform/base/Error.h"

// The failure of a Messenger client operation; message() is what the user reads.
class MessengerError : public Error
{
public:
    explicit MessengerError(const QString &message);
};
