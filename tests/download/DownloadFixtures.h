#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Lists in each network's layout, for made-up accounts.
namespace DownloadFixtures {

inline QByteArray instagramEntry(const QString &value, const QString &href = {},
                                 qint64 timestamp = 1676354318, const QString &title = {})
{
    const QString link =
        href.isEmpty() ? QStringLiteral("https://www.instagram.com/") + value : href;
    QString data =
        QStringLiteral("{\"title\": \"%1\", \"media_list_data\": [], \"string_list_data\": "
                       "[{\"href\": \"%2\", %3\"timestamp\": %4}]}")
            .arg(title, link,
                 value.isEmpty() ? QString() : QStringLiteral("\"value\": \"%1\", ").arg(value))
            .arg(timestamp);
    return data.toUtf8();
}

inline QByteArray jsonArray(const QList<QByteArray> &items)
{
    QByteArray out = "[";
    for (qsizetype i = 0; i < items.size(); ++i)
        out += (i ? ",\n" : "\n") + items.at(i);
    return out + "\n]";
}

inline QByteArray instagramFollowing(const QList<QByteArray> &items,
                                     const QByteArray &key = "relationships_following")
{
    return "{\"" + key + "\": " + jsonArray(items) + "}";
}

inline QByteArray tikTokItems(const QStringList &names)
{
    QList<QByteArray> items;
    for (const QString &name : names)
        items.append(QStringLiteral("{\"Date\": \"2021-11-11 10:00:00\", \"UserName\": \"%1\"}")
                         .arg(name)
                         .toUtf8());
    return jsonArray(items);
}

inline QByteArray xList(const QString &kind, int part, const QStringList &ids,
                        const QString &host = QStringLiteral("twitter.com"))
{
    QList<QByteArray> items;
    for (const QString &id : ids)
        items.append(QStringLiteral("{\"%1\": {\"accountId\": \"%2\", \"userLink\": "
                                    "\"https://%3/intent/user?user_id=%2\"}}")
                         .arg(kind, id, host)
                         .toUtf8());
    return QStringLiteral("window.YTD.%1.part%2 = ").arg(kind).arg(part).toUtf8() +
           jsonArray(items);
}

} // namespace DownloadFixtures
