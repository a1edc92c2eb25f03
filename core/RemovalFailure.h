#pragma once

#include <QString>

// A checked row that was not removed: the client would not, with its reason, or the contact is
// on the user's keep list.
struct RemovalFailure
{
    QString emailAddress;
    QString reason;
    bool kept = false;

    friend bool operator==(const RemovalFailure &, const RemovalFailure &) = default;
};
