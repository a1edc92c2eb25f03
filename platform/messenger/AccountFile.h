#pragma once

#include "platform/messenger/AccountStore.h"
#include "platform/messenger/MessengerAccount.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// An account kept in a JSON file:
//   {"signInState": 2, "signInName": "...", "displayName": "...",
//    "contactList": [{"EmailAddress": "...", "FriendlyName": "..."}], "reverseList": [...]}
// Reading checks every field and throws MessengerError naming the file and the fault. A removal
// rewrites the file atomically and keeps any field this program does not know.
class AccountFile : public AccountStore
{
public:
    // Throws MessengerError when the file cannot be read or does not hold a valid account.
    explicit AccountFile(const QString &path);
    // The given content read as if it came from path, which names it in errors and takes a
    // removal's rewrite; the file itself is not read.
    AccountFile(const QString &path, const QByteArray &content);

    const QString &path() const { return m_path; }
    // The account as read, before any removal.
    const MessengerAccount &account() const { return m_account; }

    void removeUser(qint32 listNumber, const QString &emailAddress) override;

private:
    [[noreturn]] void fail(const QString &fault) const;
    void load(const QByteArray &data);
    MessengerAccount parse(const QJsonObject &root) const;
    QList<MessengerUser> parseList(const QJsonObject &root, const QString &key) const;
    QString requireText(const QJsonObject &object, const QString &key,
                        const QString &fieldName) const;

    QString m_path;
    QJsonObject m_root;
    MessengerAccount m_account;
};
