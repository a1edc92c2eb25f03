#pragma once

#include "platform/history/HistoryRecords.h"

// A contact whose standing changed, and when that was first seen.
struct ContactChange
{
    HistoryContact contact;
    QDateTime at;
};

// What changed in an account's list of Zorko between an earlier snapshot (the baseline) and
// the latest one.
struct HistoryChanges
{
    bool hasBaseline = false;
    // When the baseline's list was last seen, and when the latest one was first seen.
    QDateTime baselineSeen;
    QDateTime latestSeen;
    qint64 latestId = 0;
    bool latestNotified = false;
    // Newly listed, with the scan that first listed them.
    QList<ContactChange> appeared;
    // No longer listed although Orvalin did not remove them: they have the user again.
    QList<ContactChange> addedBack;
    // No longer listed because Orvalin removed them, with the time of the removal.
    QList<ContactChange> removed;

    // Against the snapshot before the latest one, or, when since is valid, against the last
    // snapshot first taken before it. The snapshots are oldest first.
    static HistoryChanges between(const QList<HistorySnapshot> &snapshots,
                                  const QList<HistoryRemoval> &removals,
                                  const QDateTime &since = {});

    // "2 nuevos Zorko desde el 3 de diciembre de 2026"
    static QString summary(qsizetype appeared, const QDate &since);
};
