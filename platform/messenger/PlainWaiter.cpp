#include "platform/messenger/PlainWaiter.h"

void PlainWaiter::wait(const Poll &poll) const
{
    using namespace std::chrono_literals;
    // The slice only bounds how late the work's own time limit is noticed.
    while (!poll(50ms)) {
    }
}
