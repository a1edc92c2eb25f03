#include "platform/messenger/MessengerError.h"

MessengerError::MessengerError(const QString &message) : Error(message) {}
