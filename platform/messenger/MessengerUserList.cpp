#include "platform/messenger/MessengerUserList.h"

MessengerUserList::~MessengerUserList() = default;
