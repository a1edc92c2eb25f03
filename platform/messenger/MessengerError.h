#pragma once

#include "platform/base/Error.h"

// The failure of a Messenger client operation. what() gives the message as UTF-8.
class MessengerError : public Error
{
public:
    explicit MessengerError(const QString &message);
};
