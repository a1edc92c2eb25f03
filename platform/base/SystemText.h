#pragma once

#include <QString>
#include <sys/types.h>

// The system's reasons in our own Spanish words, for messages a user reads: the library's
// texts are English whatever the language of the rest. The code is kept in parentheses
// ("no queda espacio en el disco (ENOSPC)") so that it can still be looked up.
class SystemText
{
public:
    static QString errorText(int error);
    // "una tubería con nombre (FIFO)", "un dispositivo", "un socket"... for a file's mode.
    static QString fileTypeName(mode_t mode);
};
