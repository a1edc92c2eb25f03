#include "platform/history/HistoryPeriods.h"

namespace {

QString nameIn(const HistorySnapshot &snapshot, const QString &address)
{
    for (const HistoryContact &contact : snapshot.contacts) {
        if (contact.address == address)
            return contact.name;
    }
    return {};
}

} // namespace

QList<HistoryPeriod> HistoryPeriod::of(const QString &address,
                                       const QList<HistorySnapshot> &snapshots,
                                       const QList<HistoryRemoval> &removals)
{
    QList<HistoryPeriod> periods;
    qsizetype i = 0;
    while (i < snapshots.size()) {
        if (!snapshots.at(i).lists(address)) {
            ++i;
            continue;
        }
        HistoryPeriod period;
        period.firstSeen = snapshots.at(i).firstTaken;
        while (i < snapshots.size() && snapshots.at(i).lists(address)) {
            period.name = nameIn(snapshots.at(i), address);
            period.lastSeen = snapshots.at(i).lastTaken;
            ++i;
        }
        // Without a later scan, a removal since the last one still ends the period.
        const QDateTime nextScan =
            i < snapshots.size() ? snapshots.at(i).firstTaken : QDateTime::currentDateTimeUtc();
        if (i < snapshots.size()) {
            period.end = HistoryPeriod::End::AddedBack;
            period.endedAt = nextScan;
        }
        for (const HistoryRemoval &removal : removals) {
            if (removal.address == address && removal.removedAt >= period.firstSeen &&
                removal.removedAt <= nextScan) {
                period.end = HistoryPeriod::End::Removed;
                period.endedAt = removal.removedAt;
            }
        }
        periods.append(period);
    }
    return periods;
}
