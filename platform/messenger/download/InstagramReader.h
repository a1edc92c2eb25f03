#pragma once

#include "platform/messenger/download/DownloadPerson.h"

#include <QJsonValue>
#include <QStringList>

class DownloadEntries;

// Instagram's download, in JSON or in HTML, and Threads' lists within it. The lists lie in
// followers_and_following/ (under connections/ since 2023): followers in followers_1.json,
// followers_2.json… (older: followers.json), following in following.json; Threads keeps its own
// two under threads/.
class InstagramReader
{
public:
    enum class Network { Instagram, Threads };

    InstagramReader(const DownloadEntries &entries, Network network);

    // Whether the download holds either of this network's lists.
    bool recognises() const;
    // Throws DownloadError.
    DownloadLists read() const;

    // The username of an entry: "value", else "title", else the last part of the link's path
    // (after a "_u/" and without the query); mis-encoded text repaired. Empty when none.
    static QString usernameOf(const QJsonObject &entry);

private:
    struct Files
    {
        QStringList followers;
        QString following;
        bool html = false;
    };
    // Rows are made of the followed accounts alone: a follower's link is never shown, and
    // making one for each of a long list costs more than reading the entry.
    enum class Links { Keep, Skip };
    Files files() const;
    Files filesIn(const QString &extension) const;
    QList<DownloadPerson> readJsonList(const QString &name, const QString &key, Links links) const;
    QList<DownloadPerson> readHtmlList(const QString &name) const;
    DownloadPerson personOf(const QJsonValue &entry, const QString &where, qsizetype index,
                            Links links) const;
    QString linkFor(const QString &username, const QString &href) const;
    void readProfile(DownloadLists &lists) const;

    const DownloadEntries &m_entries;
    Network m_network;
};
