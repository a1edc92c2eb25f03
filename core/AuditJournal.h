#pragma once

#include <QList>
#include <QSet>
#include <QString>

struct HistoryContact;

// What the scan and the removal tell whoever keeps their history, and the keep list they
// respect. None of it may fail: recording never changes what a scan shows or whether a
// removal runs.
class AuditJournal
{
public:
    AuditJournal() = default;
    virtual ~AuditJournal();
    AuditJournal(const AuditJournal &) = delete;
    AuditJournal &operator=(const AuditJournal &) = delete;

    // The contacts no removal may take off; empty when the list cannot be read.
    virtual QSet<QString> keptAddresses() = 0;
    // A completed scan with every contact it listed, in the list's order.
    virtual void scanCompleted(const QList<HistoryContact> &listed) = 0;
    // Contacts whose removal is stored, in the order they were removed.
    virtual void contactsRemoved(const QStringList &addresses) = 0;
};
