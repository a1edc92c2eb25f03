#pragma once

#include <QString>

// A checked row that was not removed: the client would not, with its reason, the contact is
// on the user's keep list, or the keep list could not be read, so that no row was taken on.
struct RemovalFailure
{
    QString emailAddress;
    QString reason;
    bool kept = false;
    bool unguarded = false;

    friend bool operator==(const RemovalFailure &, const RemovalFailure &) = default;
};
