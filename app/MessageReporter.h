#pragma once

#include <QString>

// The modal message boxes of the window, behind an interface so that tests can see them.
class MessageReporter
{
public:
    MessageReporter() = default;
    virtual ~MessageReporter();
    MessageReporter(const MessageReporter &) = delete;
    MessageReporter &operator=(const MessageReporter &) = delete;

    // Error icon, one OK button; returns when it is closed.
    virtual void error(const QString &title, const QString &text) = 0;
    // Warning icon, one OK button; returns when it is closed.
    virtual void warning(const QString &title, const QString &text) = 0;
};
