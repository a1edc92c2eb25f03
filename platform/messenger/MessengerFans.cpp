#include "platform/messenger/MessengerFans.h"

MessengerFans::~MessengerFans() = default;
