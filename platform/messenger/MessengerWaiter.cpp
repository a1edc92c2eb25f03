#include "platform/messenger/MessengerWaiter.h"

MessengerWaiter::~MessengerWaiter() = default;
