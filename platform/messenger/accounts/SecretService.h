#pragma once

#include <chrono>

// What the Secret Service on the session bus says of the collection passwords go to, asked
// over D-Bus: QtKeychain hides a locked collection as a missing password, and a dismissed
// unlock as a refusal like any other.
class SecretService
{
public:
    enum class State {
        Open,   // unlocked, or no default collection yet (one is made when written to)
        Locked, // the default collection is locked
        Absent, // no session bus, or nothing serves the Secret Service on it
    };
    static State state();

    enum class Unlock { Unlocked, Dismissed, Failed };
    // Asks the keyring to unlock the default collection through its own prompt, waiting at most
    // limit for the user's answer (no user input of this program is handled meanwhile).
    static Unlock unlock(std::chrono::milliseconds limit);
};
