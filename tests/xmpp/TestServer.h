#pragma once

#include "platform/messenger/xmpp/PasswordSource.h"
#include "platform/messenger/xmpp/XmppSettings.h"

#include <QByteArray>
#include <QString>

// The throwaway server the fixture started, read from the state file it wrote (named by
// ORVALIN_TEST_XMPP). Every account it registered has the same password.
struct TestServer
{
    QString software; // "prosody" or "ejabberd"
    quint16 port = 0;
    QString domain;
    QString caFile;
    QString otherCaFile;
    QByteArray password;

    // Throws std::runtime_error saying what is missing when the fixture did not run.
    static const TestServer &instance();

    QString jid(const QString &user) const { return user + QLatin1Char('@') + domain; }
    // Settings that reach the server directly and trust its certificate.
    XmppSettings settings(const QString &user) const;
};

// Gives every account the test server's shared password, as a user typing it would.
class TestServerPassword : public PasswordSource
{
public:
    QByteArray password(const QString &) override { return TestServer::instance().password; }
};
