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

private:
    QString m_message;
};

// An integer result that left the range of its type.
class OverflowError : public Error
{
public:
    OverflowError() : Error(QStringLiteral("Desbordamiento")) {}
};
