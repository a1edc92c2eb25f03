#pragma once

#include "platform/messenger/AccountFile.h"
#include "platform/messenger/MemoryMessengerClient.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/MessengerUserList.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// An account file in a temporary folder, and the reading errors it raises.
inline constexpr char validAccount[] = R"({
  "signInState": 2,
  "signInName": "yo@example.org",
  "displayName": "Yo <b>mismo</b>",
  "theme": {"color": "azul"},
  "contactList": [
    {"EmailAddress": "a@example.org", "FriendlyName": "A", "group": "Clase"},
    {"EmailAddress": "b@example.org"},
    {"EmailAddress": "c@example.org", "FriendlyName": "C"}
  ],
  "reverseList": [
    {"EmailAddress": "c@example.org", "FriendlyName": "C"}
  ]
})";

class AccountFileTest : public ::testing::Test
{
protected:
    QString write(const QByteArray &content, const QString &name = QStringLiteral("cuenta.json"))
    {
        QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        return path;
    }

    // The message of the error raised by reading content, or empty when it reads fine.
    QString errorFor(const QByteArray &content)
    {
        const QString path = write(content);
        try {
            AccountFile file(path);
        } catch (const MessengerError &error) {
            EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
            return error.message();
        }
        return {};
    }

    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir m_dir;
};

inline QStringList addresses(const QList<MessengerUser> &users)
{
    QStringList result;
    for (const MessengerUser &user : users)
        result.append(user.member(u"EmailAddress"));
    return result;
}
