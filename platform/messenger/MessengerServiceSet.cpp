#include "platform/messenger/MessengerServiceSet.h"

MessengerServiceSet::~MessengerServiceSet() = default;
