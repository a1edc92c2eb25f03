#pragma once

#include <QString>
#include <stdexcept>

// The failure of a Messenger client operation. what() gives the message as UTF-8.
class MessengerError : public std::runtime_error
{
public:
    explicit MessengerError(const QString &message);

    const QString &message() const { return m_message; }

private:
    QString m_message;
};
