#pragma once

#include <QByteArray>
#include <QString>

// Account passwords in the system keyring (the Secret Service, or KWallet) through QtKeychain.
// Never anywhere else: when the keyring cannot be used the calls say why, and nothing is
// written. Each call waits for the keyring, handling Qt's events but no user input meanwhile.
class Keyring
{
public:
    enum class Status { Ok, NotFound, Unavailable };
    // Why the keyring is unavailable.
    enum class Problem {
        None,
        Locked,  // the collection is locked and stays so
        Refused, // the user dismissed the keyring's prompt, or it denied access
        Absent,  // no keyring serves this session
        Failed,  // it answered something else
    };
    // Whether a locked collection is unlocked through the keyring's own prompt first. A tool
    // run unattended says it is locked instead of showing a window.
    enum class Unlocking { Ask, Never };

    struct Answer
    {
        Status status = Status::NotFound;
        QByteArray password; // Status::Ok only
        Problem problem = Problem::None;
        QString error; // Status::Unavailable: why, in Spanish
    };

    // service names the entries, so that tests keep to their own.
    explicit Keyring(QString service = QStringLiteral("orvalin"),
                     Unlocking unlocking = Unlocking::Ask);

    Answer read(const QString &account) const;
    // Returns Ok or Unavailable (with the error).
    Answer write(const QString &account, const QByteArray &password) const;
    // Forgetting a password that is not there is no failure; one that cannot be reached is.
    Answer remove(const QString &account) const;

    // The sentence for problem, as Answer::error holds it.
    static QString problemText(Problem problem);

private:
    // Unavailable when the collection is locked (and stays locked) or nothing serves it.
    Answer checkOpen() const;

    QString m_service;
    Unlocking m_unlocking;
};
