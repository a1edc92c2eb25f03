#include "platform/messenger/MessengerClient.h"

MessengerClient::~MessengerClient() = default;
