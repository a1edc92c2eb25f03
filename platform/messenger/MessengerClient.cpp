#include "platform/messenger/MessengerClient.h"

MessengerClient::~MessengerClient() = default;

void MessengerClient::setHoldingRemovals(bool) {}

QHash<QString, QString> MessengerClient::commitRemovals()
{
    return {};
}

QString MessengerClient::scanWarning() const
{
    return {};
}
