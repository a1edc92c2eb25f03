#include "platform/messenger/AccountStore.h"

AccountStore::~AccountStore() = default;
