#pragma once

#include "platform/messenger/download/DownloadPerson.h"

#include <QJsonObject>

class DownloadEntries;

// TikTok's download: user_data.json (user_data_tiktok.json in newer ones), whose lists are found
// by their keys wherever the year's layout put them ("Activity" or "Your Activity" →
// "Follower List" → "FansList", "Following List" → "Following"); or the TXT download's
// Follower.txt and Following.txt, blocks of "Date: …" and "Username: …" lines.
class TikTokReader
{
public:
    explicit TikTokReader(const DownloadEntries &entries);

    bool recognises() const;
    // Throws DownloadError.
    DownloadLists read() const;

private:
    DownloadLists readJson(const QString &name) const;
    DownloadLists readText() const;
    QList<DownloadPerson> jsonList(const QJsonObject &root, const QString &section,
                                   const QString &key, const QString &where, bool &found) const;
    QList<DownloadPerson> textList(const QString &name) const;

    const DownloadEntries &m_entries;
};
