#pragma once

#include "platform/WindowDescription.h"

// The stored descriptions of the program's two windows, with the saved settings of each
// control instance on them, as built into the program.
class StoredWindows
{
public:
    static WindowDescription form1();
    static WindowDescription creditos();
    // Makes the built-in resources (window descriptions, icons) reachable.
    static void registerResources();
};
