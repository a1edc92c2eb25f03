#pragma once

#include "platform/history/HistoryRecords.h"

// A stretch of time in which one contact was listed as a Zorko, and how it ended.
struct HistoryPeriod
{
    enum class End { Ongoing, AddedBack, Removed };

    QString name;
    QDateTime firstSeen;
    QDateTime lastSeen;
    End end = End::Ongoing;
    // When the first scan without them ran, or when Orvalin removed them.
    QDateTime endedAt;

    // Every period of the address, oldest first. The snapshots are oldest first.
    static QList<HistoryPeriod> of(const QString &address, const QList<HistorySnapshot> &snapshots,
                                   const QList<HistoryRemoval> &removals);
};
