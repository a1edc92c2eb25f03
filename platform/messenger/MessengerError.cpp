#include "platform/messenger/MessengerError.h"

MessengerError::MessengerError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}
