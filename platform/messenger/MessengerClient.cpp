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

QString MessengerClient::removalRefusal() const
{
    return {};
}

bool MessengerClient::hasProfileLinks() const
{
    return false;
}

QString MessengerClient::profileLink(const QString &) const
{
    return {};
}

QDateTime MessengerClient::listsTakenAt() const
{
    return {};
}

MessengerFans *MessengerClient::fans()
{
    return nullptr;
}
