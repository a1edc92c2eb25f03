#include "tools/audit/ReportWriter.h"

#include "core/MemoryResultView.h"
#include "platform/history/HistoryChanges.h"
#include "platform/history/SpanishDate.h"
#include "tools/audit/AuditTool.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <algorithm>

namespace {

using Format = AuditOptions::Format;

QString padded(const QString &text, qsizetype width)
{
    return text + QString(std::max<qsizetype>(0, width - text.size()), QLatin1Char(' '));
}

QString isoTime(const QDateTime &when)
{
    return when.toUTC().toString(Qt::ISODateWithMs);
}

struct ChangeRow
{
    const char *kind;
    QString label;
    ContactChange change;
};

QList<ChangeRow> changeRows(const HistoryChanges &changes)
{
    QList<ChangeRow> rows;
    for (const ContactChange &change : changes.appeared)
        rows.append({"new", QStringLiteral("Nuevo Zorko"), change});
    for (const ContactChange &change : changes.addedBack)
        rows.append({"addedBack", QStringLiteral("Te volvió a agregar"), change});
    for (const ContactChange &change : changes.removed)
        rows.append({"removed", QStringLiteral("Eliminado por ti"), change});
    return rows;
}

QJsonArray jsonChanges(const QList<ContactChange> &changes, const char *timeKey)
{
    QJsonArray array;
    for (const ContactChange &change : changes)
        array.append(QJsonObject{{"EmailAddress", change.contact.address},
                                 {"FriendlyName", change.contact.name},
                                 {QLatin1String(timeKey), isoTime(change.at)}});
    return array;
}

QJsonObject removalJson(const RemovalReport &report)
{
    QJsonArray failed;
    for (const RemovalFailure &failure : report.failed)
        failed.append(
            QJsonObject{{"EmailAddress", failure.emailAddress}, {"reason", failure.reason}});
    return QJsonObject{{"removed", QJsonArray::fromStringList(report.removed)},
                       {"failed", failed},
                       {"kept", QJsonArray::fromStringList(report.kept)},
                       {"notListed", QJsonArray::fromStringList(report.notListed)},
                       {"count", report.count},
                       {"caption", report.caption}};
}

} // namespace

void ReportWriter::columns(const QList<QStringList> &rows, QTextStream &out)
{
    QList<qsizetype> widths;
    for (const QStringList &row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.append(0);
            widths[c] = std::max(widths[c], row.at(c).size());
        }
    }
    for (const QStringList &row : rows) {
        QString line;
        for (qsizetype c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? padded(row.at(c), widths.at(c) + 2) : row.at(c);
        out << line << '\n';
    }
}

QString ReportWriter::keptLine(const QString &address, const QString &account)
{
    return QStringLiteral("Protegido: %1 (%2 de %3)")
        .arg(AuditTool::escapeControls(address), ContactAudit::keptReason(),
             AuditTool::escapeControls(account));
}

QString ReportWriter::notListedReason()
{
    return QStringLiteral("no aparece en la lista de Zorko");
}

void ReportWriter::csv(const QList<QStringList> &rows)
{
    for (const QStringList &row : rows) {
        QStringList fields;
        for (const QString &cell : row)
            fields.append(AuditTool::csvField(cell));
        m_out << fields.join(QLatin1Char(',')) << "\r\n";
    }
}

void ReportWriter::json(const QJsonObject &root)
{
    m_out << QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void ReportWriter::scan(const MemoryResultView &view, qint16 count, const QSet<QString> &kept,
                        const ProfileLinks &links)
{
    const bool marks = !kept.isEmpty();
    if (m_format == Format::Json) {
        QJsonArray zorkos;
        for (const auto &row : view.rows()) {
            QJsonObject zorko{{"EmailAddress", row.key},
                              {"FriendlyName", row.text},
                              {"kept", kept.contains(row.key)}};
            if (links)
                zorko.insert(QStringLiteral("link"), links(row.key));
            zorkos.append(zorko);
        }
        json(QJsonObject{{"count", count}, {"caption", view.caption()}, {"zorkos", zorkos}});
        return;
    }
    const bool table = m_format == Format::Table;
    QList<QStringList> rows{{QStringLiteral("EmailAddress"), QStringLiteral("FriendlyName")}};
    if (marks)
        rows.first().append(QStringLiteral("Protegido"));
    if (links && !table)
        rows.first().append(QStringLiteral("Link"));
    for (const auto &row : view.rows()) {
        QStringList cells = table ? QStringList{AuditTool::escapeControls(row.key),
                                                AuditTool::escapeControls(row.text)}
                                  : QStringList{row.key, row.text};
        // The table leaves the mark out for a contact not kept; CSV says no.
        if (marks && kept.contains(row.key))
            cells.append(QStringLiteral("sí"));
        else if (marks && !table)
            cells.append(QStringLiteral("no"));
        if (links && !table)
            cells.append(links(row.key));
        rows.append(cells);
    }
    if (!table)
        return csv(rows);
    columns(rows, m_out);
    m_out << '\n' << AuditTool::escapeControls(view.caption()) << '\n';
}

void ReportWriter::removalTable(const RemovalReport &report)
{
    for (const QString &address : report.removed)
        m_out << "Eliminado: " << AuditTool::escapeControls(address) << '\n';
    for (const RemovalFailure &failure : report.failed)
        m_out << "No eliminado: " << AuditTool::escapeControls(failure.emailAddress) << " ("
              << AuditTool::escapeControls(failure.reason) << ")\n";
    for (const QString &address : report.kept)
        m_out << keptLine(address, report.account) << '\n';
    for (const QString &address : report.notListed)
        m_out << "No listado: " << AuditTool::escapeControls(address) << " (" << notListedReason()
              << ")\n";
    m_out << AuditTool::escapeControls(report.caption) << '\n';
}

void ReportWriter::removal(const RemovalReport &report)
{
    switch (m_format) {
    case Format::Table:
        return removalTable(report);
    case Format::Csv: {
        QList<QStringList> rows{
            {QStringLiteral("EmailAddress"), QStringLiteral("Result"), QStringLiteral("Reason")}};
        for (const QString &address : report.removed)
            rows.append({address, QStringLiteral("removed"), QString()});
        for (const RemovalFailure &failure : report.failed)
            rows.append({failure.emailAddress, QStringLiteral("failed"), failure.reason});
        for (const QString &address : report.kept)
            rows.append({address, QStringLiteral("kept"), ContactAudit::keptReason()});
        for (const QString &address : report.notListed)
            rows.append({address, QStringLiteral("notListed"), notListedReason()});
        return csv(rows);
    }
    case Format::Json:
        return json(removalJson(report));
    }
}

void ReportWriter::changes(const HistoryChanges &changes, const QString &account,
                           const QString &summary)
{
    const QList<ChangeRow> rows = changeRows(changes);
    switch (m_format) {
    case Format::Table: {
        if (!rows.isEmpty()) {
            QList<QStringList> table{{QStringLiteral("Cambio"), QStringLiteral("EmailAddress"),
                                      QStringLiteral("FriendlyName"), QStringLiteral("Fecha")}};
            for (const ChangeRow &row : rows)
                table.append({row.label, AuditTool::escapeControls(row.change.contact.address),
                              AuditTool::escapeControls(row.change.contact.name),
                              SpanishDate::shortDateTime(row.change.at)});
            columns(table, m_out);
            m_out << '\n';
        }
        m_out << AuditTool::escapeControls(summary) << '\n';
        return;
    }
    case Format::Csv: {
        QList<QStringList> table{{QStringLiteral("Change"), QStringLiteral("EmailAddress"),
                                  QStringLiteral("FriendlyName"), QStringLiteral("Time")}};
        for (const ChangeRow &row : rows)
            table.append({QLatin1String(row.kind), row.change.contact.address,
                          row.change.contact.name, isoTime(row.change.at)});
        return csv(table);
    }
    case Format::Json:
        return json(
            QJsonObject{{"account", account},
                        {"previous", changes.hasBaseline ? QJsonValue(isoTime(changes.baselineSeen))
                                                         : QJsonValue()},
                        {"new", jsonChanges(changes.appeared, "firstSeen")},
                        {"addedBack", jsonChanges(changes.addedBack, "seen")},
                        {"removed", jsonChanges(changes.removed, "removedAt")},
                        {"summary", summary}});
    }
}
