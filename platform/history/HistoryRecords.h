#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// One contact listed by a scan.
struct HistoryContact
{
    QString address;
    QString name;

    friend bool operator==(const HistoryContact &, const HistoryContact &) = default;
};

// One state of an account's list of Zorko. Consecutive scans that found the very same list
// share one snapshot: first and last scan, and how many scans it stands for.
struct HistorySnapshot
{
    qint64 id = 0;
    QString backend;
    QDateTime firstTaken;
    QDateTime lastTaken;
    int scans = 1;
    bool notified = false;
    QList<HistoryContact> contacts;

    bool lists(const QString &address) const;
};

// A contact Orvalin took off the account's contact list.
struct HistoryRemoval
{
    QString address;
    QDateTime removedAt;
};

inline bool HistorySnapshot::lists(const QString &address) const
{
    for (const HistoryContact &contact : contacts) {
        if (contact.address == address)
            return true;
    }
    return false;
}
