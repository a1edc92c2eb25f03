#pragma once

#include <QString>
#include <QtGlobal>

// The user's own account on the client.
class MessengerService
{
public:
    static constexpr qint32 SignedOut = 1;

    MessengerService() = default;
    virtual ~MessengerService();
    Q_DISABLE_COPY_MOVE(MessengerService)

    virtual qint32 signInState() const = 0;
    virtual QString signInName() const = 0;
    virtual QString displayName() const = 0;
};
