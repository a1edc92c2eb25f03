#pragma once

#include "platform/messenger/MessengerWaiter.h"

// How the windows wait for the messenger: with the busy cursor, handling Qt's events meanwhile
// (repaints and timers, no user input: a click could start another call on the same session,
// or close the window that owns it, in the middle of this one). Off the application's main
// thread it only waits.
class WindowWaiter : public MessengerWaiter
{
public:
    void wait(const Poll &poll) const override;
};
