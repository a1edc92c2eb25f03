#pragma once

#include "core/ContactAudit.h"
#include "tools/audit/AuditCommandLine.h"

#include <QList>
#include <QSet>
#include <QStringList>

#include <functional>

struct HistoryChanges;
class MemoryResultView;
class QJsonObject;
class QTextStream;

// What a removal did to each address asked for.
struct RemovalReport
{
    // The canonical name of the account whose keep list was respected.
    QString account;
    QStringList removed;
    QList<RemovalFailure> failed;
    QStringList kept;
    QStringList notListed;
    qint16 count = 0;
    QString caption;
    // Why nothing was taken on (the keep list could not be read); empty when the removal ran.
    QString unguarded;
};

// Writes what scan, remove and changes found, as an aligned table for a person, as CSV
// (RFC 4180, CRLF) for a spreadsheet or as indented JSON for a program. Only the table escapes
// control characters; CSV and JSON keep every text as it is.
class ReportWriter
{
public:
    ReportWriter(AuditOptions::Format format, QTextStream &out) : m_format(format), m_out(out) {}

    // A row's profile link by its key, for accounts that have them (a network's download).
    using ProfileLinks = std::function<QString(const QString &key)>;

    // Kept contacts are marked in a Protegido column, shown once the account keeps anyone.
    // With links, CSV adds a Link column and JSON a "link" field; the table stays as it is.
    void scan(const MemoryResultView &view, qint16 count, const QSet<QString> &kept,
              const ProfileLinks &links = {});
    void removal(const RemovalReport &report);
    void changes(const HistoryChanges &changes, const QString &account, const QString &summary);

    // Rows of text in columns two blanks apart, the last column unpadded.
    static void columns(const QList<QStringList> &rows, QTextStream &out);
    // The reason a removal gives for an address the scan did not list.
    static QString notListedReason();
    // The line that says a kept contact was left alone, and whose keep list kept it.
    static QString keptLine(const QString &address, const QString &account);

private:
    void csv(const QList<QStringList> &rows);
    void json(const QJsonObject &root);
    void removalTable(const RemovalReport &report);

    AuditOptions::Format m_format;
    QTextStream &m_out;
};
