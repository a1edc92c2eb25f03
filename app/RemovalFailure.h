#pragma once

#include <QString>

// A checked row the client would not remove, with the client's reason.
struct RemovalFailure
{
    QString emailAddress;
    QString reason;

    friend bool operator==(const RemovalFailure &, const RemovalFailure &) = default;
};
