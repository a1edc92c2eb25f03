#include "tools/audit/FansWriter.h"

#include "core/ContactAudit.h"
#include "tools/audit/AuditTool.h"
#include "tools/audit/ReportWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <algorithm>

namespace {

using Format = AuditOptions::Format;
using Fan = MessengerFans::Fan;

QString kindName(Fan::Kind kind)
{
    return kind == Fan::Kind::Request ? QStringLiteral("request") : QStringLiteral("oneWay");
}

QString kindLabel(Fan::Kind kind)
{
    return kind == Fan::Kind::Request ? QStringLiteral("solicitud")
                                      : QStringLiteral("te tiene y tú no");
}

// How the table says an outcome.
QString doneLine(const FansReport::Outcome &outcome)
{
    if (outcome.result == u"approved")
        return QStringLiteral("Aceptado");
    if (outcome.result == u"subscribed")
        return QStringLiteral("Agregado");
    if (outcome.result == u"declined")
        return QStringLiteral("Rechazado");
    return QStringLiteral("Retirado");
}

QJsonArray outcomes(const QList<FansReport::Outcome> &list)
{
    QJsonArray array;
    for (const FansReport::Outcome &outcome : list) {
        QJsonObject object{{"EmailAddress", outcome.emailAddress}, {"result", outcome.result}};
        if (!outcome.reason.isEmpty())
            object.insert(QStringLiteral("reason"), outcome.reason);
        array.append(object);
    }
    return array;
}

} // namespace

QString FansWriter::caption(const QList<Fan> &fans)
{
    const auto requests = std::count_if(
        fans.cbegin(), fans.cend(), [](const Fan &fan) { return fan.kind == Fan::Kind::Request; });
    const auto oneWay = fans.size() - requests;
    return QStringLiteral("%1 %2 y tú no; %3 %4 sin responder")
        .arg(QString::number(oneWay),
             oneWay == 1 ? QStringLiteral("te tiene") : QStringLiteral("te tienen"),
             QString::number(requests),
             requests == 1 ? QStringLiteral("solicitud") : QStringLiteral("solicitudes"));
}

QString FansWriter::notListedReason()
{
    return QStringLiteral("no aparece en la lista de fans");
}

void FansWriter::csv(const QList<QStringList> &rows)
{
    for (const QStringList &row : rows) {
        QStringList fields;
        for (const QString &cell : row)
            fields.append(AuditTool::csvField(cell));
        m_out << fields.join(QLatin1Char(',')) << "\r\n";
    }
}

void FansWriter::list(const QList<Fan> &fans)
{
    if (m_format == Format::Json) {
        QJsonArray array;
        for (const Fan &fan : fans)
            array.append(QJsonObject{{"EmailAddress", fan.emailAddress},
                                     {"FriendlyName", fan.friendlyName},
                                     {"kind", kindName(fan.kind)}});
        m_out << QJsonDocument(QJsonObject{{"caption", caption(fans)}, {"fans", array}})
                     .toJson(QJsonDocument::Indented);
        return;
    }
    const bool table = m_format == Format::Table;
    QList<QStringList> rows{{QStringLiteral("EmailAddress"), QStringLiteral("FriendlyName"),
                             table ? QStringLiteral("Tipo") : QStringLiteral("Kind")}};
    for (const Fan &fan : fans) {
        if (table)
            rows.append({AuditTool::escapeControls(fan.emailAddress),
                         AuditTool::escapeControls(fan.friendlyName), kindLabel(fan.kind)});
        else
            rows.append({fan.emailAddress, fan.friendlyName, kindName(fan.kind)});
    }
    if (!table)
        return csv(rows);
    ReportWriter::columns(rows, m_out);
    m_out << '\n' << caption(fans) << '\n';
}

void FansWriter::reportTable(const FansReport &report)
{
    for (const FansReport::Outcome &outcome : report.done)
        m_out << doneLine(outcome) << ": " << AuditTool::escapeControls(outcome.emailAddress)
              << '\n';
    for (const FansReport::Outcome &outcome : report.failed)
        m_out << "No hecho: " << AuditTool::escapeControls(outcome.emailAddress) << " ("
              << AuditTool::escapeControls(outcome.reason) << ")\n";
    for (const QString &address : report.kept)
        m_out << ReportWriter::keptLine(address, report.account) << '\n';
    for (const QString &address : report.notListed)
        m_out << "No listado: " << AuditTool::escapeControls(address) << " (" << notListedReason()
              << ")\n";
    m_out << AuditTool::escapeControls(report.caption) << '\n';
}

void FansWriter::report(const FansReport &report)
{
    switch (m_format) {
    case Format::Table:
        return reportTable(report);
    case Format::Csv: {
        QList<QStringList> rows{
            {QStringLiteral("EmailAddress"), QStringLiteral("Result"), QStringLiteral("Reason")}};
        for (const FansReport::Outcome &outcome : report.done + report.failed)
            rows.append({outcome.emailAddress, outcome.result, outcome.reason});
        for (const QString &address : report.kept)
            rows.append({address, QStringLiteral("kept"), ContactAudit::keptReason()});
        for (const QString &address : report.notListed)
            rows.append({address, QStringLiteral("notListed"), notListedReason()});
        return csv(rows);
    }
    case Format::Json:
        m_out << QJsonDocument(
                     QJsonObject{{"done", outcomes(report.done)},
                                 {"failed", outcomes(report.failed)},
                                 {"kept", QJsonArray::fromStringList(report.kept)},
                                 {"notListed", QJsonArray::fromStringList(report.notListed)},
                                 {"caption", report.caption}})
                     .toJson(QJsonDocument::Indented);
        return;
    }
}
