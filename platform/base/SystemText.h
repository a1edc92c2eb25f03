#pragma once

#include <QString>
#include <sys/types.h>

class QFileDevice;

// The system's reasons in our own Spanish words, for messages a user reads: the library's
// texts are English whatever the language of the rest. The code is kept in parentheses
// ("no queda espacio en el disco (ENOSPC)") so that it can still be looked up.
class SystemText
{
public:
    static QString errorText(int error);
    // A file's failure (QFile, QSaveFile) in our words: Qt gives the system's English text, or
    // its own, which are read back to the error they stand for.
    static QString fileErrorText(const QFileDevice &file);
    // text in our words when it is one of the system's own error texts; otherwise text.
    static QString fromSystemText(const QString &text);
    // A D-Bus error by its name, such as org.freedesktop.DBus.Error.ServiceUnknown: what it
    // means, with the name in parentheses.
    static QString dbusErrorText(const QString &name);
    // "una tubería con nombre (FIFO)", "un dispositivo", "un socket"... for a file's mode.
    static QString fileTypeName(mode_t mode);
};
