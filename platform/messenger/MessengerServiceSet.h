#pragma once

#include <QtGlobal>
#include <memory>

class MessengerService;

// The services the client is signed in to; the program only uses the default one.
class MessengerServiceSet
{
public:
    MessengerServiceSet() = default;
    virtual ~MessengerServiceSet();
    Q_DISABLE_COPY_MOVE(MessengerServiceSet)

    virtual std::shared_ptr<MessengerService> defaultService() = 0;
};
