#pragma once

#include "platform/base/Error.h"

// The failure of a Messenger client operation.
class MessengerError : public Error
{
public:
    explicit MessengerError(const QString &message);
};
