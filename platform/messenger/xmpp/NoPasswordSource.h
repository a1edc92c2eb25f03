#pragma once

#include "platform/messenger/xmpp/PasswordSource.h"

// For a program that cannot ask anyone: every request for a password is refused.
class NoPasswordSource : public PasswordSource
{
public:
    QByteArray password(const QString &account) override;
};
