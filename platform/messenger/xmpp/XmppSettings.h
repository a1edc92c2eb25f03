#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <chrono>

// Where and how to reach the user's XMPP account. The password is not part of it: it is asked
// for at sign-in and never kept.
struct XmppSettings
{
    // The account's address as given, user@domain (a resource after '/' is allowed).
    QString jid;
    // Empty: the server is found from the address's domain the usual way (DNS SRV).
    QString host;
    // 0: the default client port, or the one the server lookup gives.
    quint16 port = 0;
    // An extra certificate authority to trust, besides the system's.
    QString caFile;
    // Empty: the system's name servers. Otherwise the one name server (a numeric address) to
    // ask for the account's service and host records, on nameServerPort.
    QString nameServer;
    quint16 nameServerPort = 53;
    std::chrono::milliseconds signInTimeLimit{20000};
    std::chrono::milliseconds requestTimeLimit{5000};

    // ORVALIN_XMPP, ORVALIN_XMPP_HOST, ORVALIN_XMPP_PORT and ORVALIN_XMPP_CAFILE. Throws
    // MessengerError naming the variable whose value is unusable.
    static XmppSettings fromEnvironment(const QProcessEnvironment &environment);

    // value when it is an address of the form user@domain (with an optional resource); throws
    // MessengerError naming origin (where the value came from) otherwise.
    static QString checkedJid(const QString &value, const QString &origin);
    // A port 1 to 65535 written in decimal, or the same error.
    static quint16 checkedPort(const QString &value, const QString &origin);

    // user@domain without the resource.
    QString bareJid() const;
    QString domain() const;
    QString localPart() const;
};
