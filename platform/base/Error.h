#pragma once

#include <QString>
#include <stdexcept>

// An error raised by a failing operation; it carries a message a user can read.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    QString message() const { return m_message; }

    // What a user reads of an exception that may come from outside the project (a library,
    // a container's handler): an Error's own message, the UTF-8 text of any other.
    static QString messageOf(const std::exception &error)
    {
        if (const auto *own = dynamic_cast<const Error *>(&error))
            return own->message();
        return QString::fromUtf8(error.what());
    }

private:
    QString m_message;
};

// An integer result that left the range of its type.
class OverflowError : public Error
{
public:
    OverflowError() : Error(QStringLiteral("Desbordamiento")) {}
    // For an overflow whose cause the user can be told in words of the task.
    explicit OverflowError(const QString &message) : Error(message) {}
};
