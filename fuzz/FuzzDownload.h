#pragma once

#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/download/DataDownload.h"
#include "platform/messenger/download/DownloadEntries.h"
#include "platform/messenger/download/DownloadError.h"

#include <QSet>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

// What every download that opens must hold, and every one that does not must say: both lists,
// each account with a non-empty key and each followed account with its link; or an error that
// names the download.
inline void checkDownload(const DownloadEntries &entries)
{
    const auto broken = [](const char *what) {
        std::fprintf(stderr, "download invariant broken: %s\n", what);
        std::abort();
    };
    try {
        const DataDownload download(entries);
        static const QStringList networks{QStringLiteral("Instagram"), QStringLiteral("Threads"),
                                          QStringLiteral("TikTok"), QStringLiteral("X")};
        if (!networks.contains(download.network()))
            broken("an unknown network");
        for (const MessengerUser &user : download.account().contactList) {
            if (user.member(u"EmailAddress").isEmpty())
                broken("a followed account without a key");
            if (!download.links().contains(user.member(u"EmailAddress")))
                broken("a followed account without a link");
        }
        for (const MessengerUser &user : download.account().reverseList) {
            if (user.member(u"EmailAddress").isEmpty())
                broken("a follower without a key");
        }
    } catch (const DownloadError &error) {
        if (!error.message().contains(entries.path()))
            broken("an error that does not name the download");
    }
}
