#pragma once

#include <QByteArray>
#include <QString>

// Account passwords in the system keyring (the Secret Service, or KWallet) through QtKeychain.
// Never anywhere else: when there is no keyring the calls say so, and nothing is written.
// Each call waits for the keyring, handling Qt's events but no user input meanwhile.
class Keyring
{
public:
    enum class Status { Ok, NotFound, Unavailable };

    struct Answer
    {
        Status status = Status::NotFound;
        QByteArray password; // Status::Ok only
        QString error;       // Status::Unavailable: why, in Spanish
    };

    // service names the entries, so that tests keep to their own.
    explicit Keyring(QString service = QStringLiteral("orvalin"));

    Answer read(const QString &account) const;
    // Returns Ok or Unavailable (with the error).
    Answer write(const QString &account, const QByteArray &password) const;
    // Forgetting a password that is not there is no failure.
    Answer remove(const QString &account) const;

private:
    QString m_service;
};
