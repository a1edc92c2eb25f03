#pragma once

#include "platform/messenger/xmpp/PasswordSource.h"

#include <QByteArray>

// The throwaway server's password, handed to every sign-in the benchmarks make.
class ServerPassword : public PasswordSource
{
public:
    explicit ServerPassword(QByteArray password) : m_password(std::move(password)) {}
    QByteArray password(const QString &) override { return m_password; }

private:
    QByteArray m_password;
};
