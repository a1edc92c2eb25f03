#pragma once

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

// Writes a signed-in account file for yo@example.org with the two lists; each contact's name
// is the upper-cased part of its address before the "@". False when the file cannot be written.
inline bool writeAccountFile(const QString &path, const QStringList &contacts,
                             const QStringList &reverse)
{
    const auto entries = [](const QStringList &addresses) {
        QJsonArray array;
        for (const QString &address : addresses)
            array.append(QJsonObject{{"EmailAddress", address},
                                     {"FriendlyName", address.section('@', 0, 0).toUpper()}});
        return array;
    };
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(QJsonDocument(QJsonObject{{"signInState", 2},
                                                {"signInName", "yo@example.org"},
                                                {"displayName", "Yo"},
                                                {"contactList", entries(contacts)},
                                                {"reverseList", entries(reverse)}})
                          .toJson()) > 0;
}
