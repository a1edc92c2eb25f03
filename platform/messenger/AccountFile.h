#pragma once

#include "platform/messenger/AccountStore.h"
#include "platform/messenger/JsonNode.h"
#include "platform/messenger/MessengerAccount.h"

#include <QByteArray>
#include <QString>

class QLockFile;
class QSaveFile;

// An account kept in a JSON file:
//   {"signInState": 2, "signInName": "...", "displayName": "...",
//    "contactList": [{"EmailAddress": "...", "FriendlyName": "..."}], "reverseList": [...]}
// Reading checks every field and throws MessengerError naming the file and the fault.
//
// A removal works on the file as it is on disk at that moment, under a lock file beside it
// ("<file>.lock") that every Orvalin process takes: it reads the file again, cuts out exactly
// the bytes of the removed entries with their separators, and replaces the file atomically with
// its owner, group and mode kept. Every other byte stays as it was.
class AccountFile : public AccountStore
{
public:
    // Throws MessengerError when the file cannot be read or does not hold a valid account.
    explicit AccountFile(const QString &path);
    // The given content read as if it came from path, which names it in errors and takes a
    // removal's rewrite; the file itself is not read, and a removal starts from this content
    // while no file exists there.
    AccountFile(const QString &path, const QByteArray &content);

    const QString &path() const { return m_path; }
    // The account as read, before any removal.
    const MessengerAccount &account() const { return m_account; }

    void removeUser(qint32 listNumber, const QString &emailAddress) override;
    QHash<QString, QString> removeUsers(qint32 listNumber, const QStringList &addresses) override;

    // Far beyond any real account (a 100,000-contact file is under 10 MiB), and a bound on
    // what a wrong path can make the program read.
    static constexpr qint64 MaximumSize = qint64(256) * 1024 * 1024;

private:
    struct Parsed
    {
        JsonNode root;
        MessengerAccount account;
    };

    [[noreturn]] void fail(const QString &fault) const;
    QByteArray readFile() const;
    Parsed parse(const QByteArray &data) const;
    MessengerAccount accountOf(const JsonNode &root) const;
    QList<MessengerUser> parseList(const JsonNode &root, const QString &key) const;
    QString requireText(const JsonNode &object, const QString &key, const QString &fieldName) const;
    // Waits a while for the lock beside the file; fails naming it when it cannot be had.
    void takeLock(QLockFile &lock, const QString &lockPath) const;
    // Which of users go; an address that is not among them is refused in refused.
    QList<bool> markRemoved(const QList<MessengerUser> &users, const QStringList &addresses,
                            const QString &key, QHash<QString, QString> &refused) const;
    void replaceFile(const QString &target, const QByteArray &data) const;
    void keepOwnerAndMode(QSaveFile &file, const QString &target) const;
    void writeAndSync(QSaveFile &file, const QByteArray &data) const;

    QString m_path;
    QByteArray m_content;
    bool m_fromMemory = false;
    MessengerAccount m_account;
};
