#include "platform/history/HistoryChanges.h"

#include "platform/history/SpanishDate.h"

namespace {

// The first scan of the unbroken run of snapshots, ending at the latest, that list the address.
QDateTime firstSeen(const QList<HistorySnapshot> &snapshots, qsizetype latest,
                    const QString &address)
{
    qsizetype first = latest;
    while (first > 0 && snapshots.at(first - 1).lists(address))
        --first;
    return snapshots.at(first).firstTaken;
}

// The first snapshot after the baseline that no longer lists the address.
QDateTime firstMissing(const QList<HistorySnapshot> &snapshots, qsizetype baseline,
                       const QString &address)
{
    for (qsizetype i = baseline + 1; i < snapshots.size(); ++i) {
        if (!snapshots.at(i).lists(address))
            return snapshots.at(i).firstTaken;
    }
    return snapshots.last().firstTaken;
}

} // namespace

HistoryChanges HistoryChanges::between(const QList<HistorySnapshot> &snapshots,
                                       const QList<HistoryRemoval> &removals,
                                       const QDateTime &since)
{
    HistoryChanges changes;
    if (snapshots.isEmpty())
        return changes;
    const qsizetype latestIndex = snapshots.size() - 1;
    const HistorySnapshot &latest = snapshots.at(latestIndex);
    changes.latestId = latest.id;
    changes.latestNotified = latest.notified;
    changes.latestSeen = latest.firstTaken;

    qsizetype baselineIndex = -1;
    if (since.isValid()) {
        for (qsizetype i = latestIndex; i >= 0 && baselineIndex < 0; --i) {
            if (snapshots.at(i).firstTaken < since)
                baselineIndex = i;
        }
    } else {
        baselineIndex = latestIndex - 1;
    }
    if (baselineIndex < 0)
        return changes;
    const HistorySnapshot &baseline = snapshots.at(baselineIndex);
    changes.hasBaseline = true;
    changes.baselineSeen = baseline.lastTaken;

    for (const HistoryContact &contact : latest.contacts) {
        if (!baseline.lists(contact.address))
            changes.appeared.append({contact, firstSeen(snapshots, latestIndex, contact.address)});
    }
    for (const HistoryContact &contact : baseline.contacts) {
        if (latest.lists(contact.address))
            continue;
        // A removal counts when it came after the baseline listed the contact and before the
        // latest scan.
        QDateTime removedAt;
        for (const HistoryRemoval &removal : removals) {
            if (removal.address == contact.address && removal.removedAt >= baseline.firstTaken &&
                removal.removedAt <= latest.firstTaken)
                removedAt = removal.removedAt;
        }
        if (removedAt.isValid())
            changes.removed.append({contact, removedAt});
        else
            changes.addedBack.append(
                {contact, firstMissing(snapshots, baselineIndex, contact.address)});
    }
    return changes;
}

QString HistoryChanges::summary(qsizetype appeared, const QDate &since)
{
    const QString date = SpanishDate::longDate(since);
    if (appeared == 0)
        return QStringLiteral("Ningún Zorko nuevo desde el %1").arg(date);
    if (appeared == 1)
        return QStringLiteral("1 nuevo Zorko desde el %1").arg(date);
    return QStringLiteral("%1 nuevos Zorko desde el %2").arg(appeared).arg(date);
}
