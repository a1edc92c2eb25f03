#pragma once

#include "platform/base/Error.h"

// The history database could not be opened, read or written. The cause says what the user can
// do about it.
class HistoryError : public Error
{
public:
    enum class Cause {
        Other,
        // Another program holds the file.
        Busy,
        // No room left on its disk.
        Full,
        // Not a database, or a damaged one.
        Damaged,
        // The file or its folder cannot be written.
        ReadOnly,
        // Another program's database stands at the history's path.
        Foreign
    };

    explicit HistoryError(const QString &message, Cause cause = Cause::Other)
        : Error(message), m_cause(cause)
    {
    }

    // What went wrong, in our words: SQLite's own texts are English.
    static QString causeText(Cause cause);

    Cause cause() const { return m_cause; }
    // What the user can do, as one clause that ends a sentence.
    QString remedy() const;

private:
    Cause m_cause;
};
