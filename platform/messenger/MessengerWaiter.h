#pragma once

#include <QtGlobal>
#include <chrono>
#include <functional>

// How a caller waits for Messenger work that runs on another thread: the window goes on
// painting and shows it is busy, a command line simply waits. The work's owner says when it is
// finished (and keeps its own time limits); the waiter decides what the caller's thread does
// meanwhile.
class MessengerWaiter
{
public:
    // Waits at most the time given for the work, and says whether it has finished.
    using Poll = std::function<bool(std::chrono::milliseconds)>;

    MessengerWaiter() = default;
    virtual ~MessengerWaiter();
    Q_DISABLE_COPY_MOVE(MessengerWaiter)

    // Returns once poll says the work has finished.
    virtual void wait(const Poll &poll) const = 0;
};
