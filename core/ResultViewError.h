#pragma once

#include "platform/base/Error.h"

// A result view asked for a row or an image it does not have.
class ResultViewError : public Error
{
public:
    // Row index (1-based) of a view holding count rows.
    static ResultViewError noRow(qsizetype index, qsizetype count);
    // Small icon number (1-based) of an image list that lacks it.
    static ResultViewError noImage(int smallIcon);

private:
    using Error::Error;
};
