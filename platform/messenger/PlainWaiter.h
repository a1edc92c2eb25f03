#pragma once

#include "platform/messenger/MessengerWaiter.h"

// Waits and does nothing else: no Qt event is handled meanwhile, so nothing else the program
// has queued runs in the middle of a call. For the command line and the tests.
class PlainWaiter : public MessengerWaiter
{
public:
    void wait(const Poll &poll) const override;
};
