#pragma once

#include <QList>
#include <QSet>
#include <QString>

struct HistoryContact;

// What the scan and the removal tell whoever keeps their history, and the keep list they
// respect. Recording may not fail: it never changes what a scan shows or whether a removal
// runs. The keep list fails closed.
class AuditJournal
{
public:
    AuditJournal() = default;
    virtual ~AuditJournal();
    AuditJournal(const AuditJournal &) = delete;
    AuditJournal &operator=(const AuditJournal &) = delete;

    // The contacts no removal may take off. Throws Error, whose message says why and what to
    // do, when the list cannot be read: then nothing may be removed.
    virtual QSet<QString> keptAddresses() = 0;
    // A completed scan with every contact it listed, in the list's order.
    virtual void scanCompleted(const QList<HistoryContact> &listed) = 0;
    // Contacts whose removal is stored, in the order they were removed.
    virtual void contactsRemoved(const QStringList &addresses) = 0;
};
