#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// One account on a download's list: its username (on X, its account id), a name where the
// download gives one, the link to its profile, and when it was followed, where known.
struct DownloadPerson
{
    QString key;
    QString name;
    QString link;
    QDateTime since;
};

// What a reader found in a download.
struct DownloadLists
{
    // "Instagram", "Threads", "TikTok" or "X".
    QString network;
    // The account's own username and name, where the download has a profile file.
    QString ownUsername;
    QString ownName;
    QList<DownloadPerson> following;
    QList<DownloadPerson> followers;
    bool hasFollowing = false;
    bool hasFollowers = false;
    // The newest time written inside the lists, invalid when none.
    QDateTime newest;

    void noteTime(const QDateTime &when)
    {
        if (when.isValid() && (!newest.isValid() || when > newest))
            newest = when;
    }
};
