#include "platform/messenger/MessengerService.h"

MessengerService::~MessengerService() = default;
