#pragma once

#include "platform/Error.h"

// The history database could not be opened, read or written.
class HistoryError : public Error
{
public:
    using Error::Error;
};
