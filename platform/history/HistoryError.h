#pragma once

#include "platform/base/Error.h"

// The history database could not be opened, read or written.
class HistoryError : public Error
{
public:
    using Error::Error;
};
