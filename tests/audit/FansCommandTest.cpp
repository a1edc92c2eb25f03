#include "tools/audit/FansCommand.h"
#include "tests/audit/AuditRun.h"
#include "tools/audit/AuditCommandLine.h"
#include "tools/audit/FansWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

using Fan = MessengerFans::Fan;

QList<Fan> fans(int oneWay, int requests)
{
    QList<Fan> list;
    for (int i = 0; i < oneWay; ++i)
        list.append(
            {QStringLiteral("u%1@x.org").arg(i), QStringLiteral("U%1").arg(i), Fan::Kind::OneWay});
    for (int i = 0; i < requests; ++i)
        list.append({QStringLiteral("r%1@x.org").arg(i), QStringLiteral("r%1@x.org").arg(i),
                     Fan::Kind::Request});
    return list;
}

QString written(AuditOptions::Format format, const QList<Fan> &list)
{
    QString text;
    QTextStream out(&text);
    FansWriter(format, out).list(list);
    out.flush();
    return text;
}

} // namespace

TEST(FansCommandLine, ReadsTheListAndBothActionsAndNamesTheirFaults)
{
    const AuditCommandLine::Result list = AuditCommandLine::parse({"fans", "--format", "csv"});
    ASSERT_TRUE(list.ok) << qPrintable(list.error);
    EXPECT_EQ(list.options.command, AuditOptions::Command::FansList);
    EXPECT_EQ(list.options.format, AuditOptions::Format::Csv);
    const AuditCommandLine::Result add =
        AuditCommandLine::parse({"--account=demo", "fans", "add", "a@x.org", "b@x.org", "a@x.org"});
    ASSERT_TRUE(add.ok) << qPrintable(add.error);
    EXPECT_EQ(add.options.command, AuditOptions::Command::FansAdd);
    EXPECT_EQ(add.options.addresses, QStringList({"a@x.org", "b@x.org"}));
    EXPECT_EQ(AuditCommandLine::parse({"fans", "drop", "a@x.org"}).options.command,
              AuditOptions::Command::FansDrop);

    const QList<QPair<QStringList, QString>> faults = {
        {{"fans", "borrar"}, "acción desconocida «borrar» de fans"},
        {{"fans", "add"}, "fans add necesita al menos una dirección"},
        {{"fans", "drop", "--", ""}, "dirección vacía en la lista de fans drop"},
        {{"fans", "--since", "2026-12-03"}, "--since y --notify solo valen para changes"},
        {{"fans", "--forget"}, "--forget y --yes solo valen para history"},
    };
    for (const auto &[arguments, expected] : faults) {
        const AuditCommandLine::Result result = AuditCommandLine::parse(arguments);
        EXPECT_FALSE(result.ok) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.error.contains(expected))
            << arguments.join(' ').toStdString() << ": " << result.error.toStdString();
    }
}

TEST(FansWriter, CaptionCountsEachKindInTheRightNumber)
{
    EXPECT_EQ(FansWriter::caption(fans(3, 2)), "3 te tienen y tú no; 2 solicitudes sin responder");
    EXPECT_EQ(FansWriter::caption(fans(1, 1)), "1 te tiene y tú no; 1 solicitud sin responder");
    EXPECT_EQ(FansWriter::caption(fans(0, 0)), "0 te tienen y tú no; 0 solicitudes sin responder");
}

TEST(FansWriter, EachFormatMarksTheKindAndOnlyTheTableEscapes)
{
    QList<Fan> list = fans(1, 1);
    list[0].friendlyName = QStringLiteral("=Ana\x1b[2J");

    const QString table = written(AuditOptions::Format::Table, list);
    EXPECT_TRUE(table.contains("te tiene y tú no")) << qPrintable(table);
    EXPECT_TRUE(table.contains("solicitud")) << qPrintable(table);
    EXPECT_TRUE(table.contains("=Ana\\x1b[2J")) << qPrintable(table);
    EXPECT_FALSE(table.contains(QChar(0x1b)));
    EXPECT_TRUE(table.endsWith("\n1 te tiene y tú no; 1 solicitud sin responder\n"));

    EXPECT_EQ(written(AuditOptions::Format::Csv, list), "EmailAddress,FriendlyName,Kind\r\n"
                                                        "u0@x.org,'=Ana\x1b[2J,oneWay\r\n"
                                                        "r0@x.org,r0@x.org,request\r\n");

    const QJsonObject json =
        QJsonDocument::fromJson(written(AuditOptions::Format::Json, list).toUtf8()).object();
    EXPECT_EQ(json["caption"].toString(), "1 te tiene y tú no; 1 solicitud sin responder");
    const QJsonArray rows = json["fans"].toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0]["FriendlyName"].toString(), "=Ana\x1b[2J");
    EXPECT_EQ(rows[0]["kind"].toString(), "oneWay");
    EXPECT_EQ(rows[1]["kind"].toString(), "request");
}

TEST(FansCommand, AnAccountWithoutTheListSaysSoAndActsOnNobody)
{
    QProcessEnvironment environment;
    environment.insert("XDG_CONFIG_HOME", "/nonexistent/config");
    for (const QStringList &arguments :
         {QStringList{"--account", "demo", "fans"},
          QStringList{"--account", "demo", "fans", "drop", "ana.soto@example.org"}}) {
        const Outcome run = runAudit(arguments, environment);
        EXPECT_EQ(run.status, AuditTool::Failure) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, "orvalin-audit: " + FansCommand::noListText() + "\n");
        EXPECT_EQ(run.out, QString());
    }
}

TEST(FansWriter, TheReportGivesEveryAddressItsOutcomeInEachFormat)
{
    FansReport report;
    report.done = {{"a@x.org", "approved", {}},
                   {"s@x.org", "subscribed", {}},
                   {"r@x.org", "revoked", {}},
                   {"d@x.org", "declined", {}}};
    report.failed = {{"f@x.org", "failed", "el servidor lo rechazó (forbidden)"}};
    report.account = "yo@x.org";
    report.kept = {"k@x.org"};
    report.notListed = {"n@x.org"};
    report.caption = "1 te tiene y tú no; 0 solicitudes sin responder";
    const auto write = [&report](AuditOptions::Format format) {
        QString text;
        QTextStream out(&text);
        FansWriter(format, out).report(report);
        out.flush();
        return text;
    };

    EXPECT_EQ(write(AuditOptions::Format::Table),
              "Aceptado: a@x.org\nAgregado: s@x.org\nRetirado: r@x.org\nRechazado: d@x.org\n"
              "No hecho: f@x.org (el servidor lo rechazó (forbidden))\n"
              "Protegido: k@x.org (está en tu lista de contactos protegidos de yo@x.org)\n"
              "No listado: n@x.org (no aparece en la lista de fans)\n"
              "1 te tiene y tú no; 0 solicitudes sin responder\n");
    EXPECT_EQ(write(AuditOptions::Format::Csv),
              "EmailAddress,Result,Reason\r\na@x.org,approved,\r\ns@x.org,subscribed,\r\n"
              "r@x.org,revoked,\r\nd@x.org,declined,\r\n"
              "f@x.org,failed,el servidor lo rechazó (forbidden)\r\n"
              "k@x.org,kept,está en tu lista de contactos protegidos\r\n"
              "n@x.org,notListed,no aparece en la lista de fans\r\n");
    const QJsonObject json =
        QJsonDocument::fromJson(write(AuditOptions::Format::Json).toUtf8()).object();
    EXPECT_EQ(json["done"].toArray().size(), 4);
    EXPECT_EQ(json["failed"].toArray()[0].toObject()["reason"].toString(),
              "el servidor lo rechazó (forbidden)");
    EXPECT_EQ(json["kept"].toArray(), QJsonArray({"k@x.org"}));
    EXPECT_EQ(json["notListed"].toArray(), QJsonArray({"n@x.org"}));
    EXPECT_EQ(json["caption"].toString(), report.caption);
}
