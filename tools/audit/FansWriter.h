#pragma once

#include "platform/messenger/MessengerFans.h"
#include "tools/audit/AuditCommandLine.h"

#include <QList>
#include <QStringList>

class QTextStream;

// What fans add or fans drop did to each address asked for.
struct FansReport
{
    struct Outcome
    {
        QString emailAddress;
        // "approved", "subscribed", "revoked" or "declined"; "failed" with a reason.
        QString result;
        QString reason;
    };

    // The canonical name of the account whose keep list was respected.
    QString account;
    QList<Outcome> done;
    QList<Outcome> failed;
    QStringList kept;
    QStringList notListed;
    // The list as it stands afterwards.
    QString caption;
};

// Writes the fans list and what was done to it, in the formats of scan and remove.
class FansWriter
{
public:
    FansWriter(AuditOptions::Format format, QTextStream &out) : m_format(format), m_out(out) {}

    void list(const QList<MessengerFans::Fan> &fans);
    void report(const FansReport &report);

    // "3 te tienen y tú no; 2 solicitudes sin responder", in the singular for one.
    static QString caption(const QList<MessengerFans::Fan> &fans);
    // The reason given for an address that fans does not list.
    static QString notListedReason();

private:
    void csv(const QList<QStringList> &rows);
    void reportTable(const FansReport &report);

    AuditOptions::Format m_format;
    QTextStream &m_out;
};
