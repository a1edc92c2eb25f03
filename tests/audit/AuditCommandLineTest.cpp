#include "tools/audit/AuditCommandLine.h"

#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

AuditOptions parsed(const QStringList &arguments)
{
    const AuditCommandLine::Result result = AuditCommandLine::parse(arguments);
    EXPECT_TRUE(result.ok) << arguments.join(' ').toStdString() << ": "
                           << result.error.toStdString();
    return result.options;
}

} // namespace

TEST(AuditCommandLine, AcceptsTheTwoCommandsWithTheirFormats)
{
    EXPECT_EQ(parsed({"scan"}).command, AuditOptions::Command::Scan);
    EXPECT_EQ(parsed({"scan"}).format, AuditOptions::Format::Table);
    EXPECT_EQ(parsed({"scan", "--format", "csv"}).format, AuditOptions::Format::Csv);
    EXPECT_EQ(parsed({"--format=json", "scan"}).format, AuditOptions::Format::Json);
    EXPECT_EQ(parsed({"scan", "--format", "table"}).format, AuditOptions::Format::Table);

    const AuditOptions remove = parsed({"remove", "a@x.org", "--format", "json", "b@x.org"});
    EXPECT_EQ(remove.command, AuditOptions::Command::Remove);
    EXPECT_EQ(remove.format, AuditOptions::Format::Json);
    EXPECT_EQ(remove.addresses, QStringList({"a@x.org", "b@x.org"}));

    // Given twice, an address is still handled once; case makes a different address.
    EXPECT_EQ(parsed({"remove", "a@x.org", "A@x.org", "a@x.org"}).addresses,
              QStringList({"a@x.org", "A@x.org"}));
    // After "--" a leading dash belongs to the address.
    EXPECT_EQ(parsed({"remove", "--", "-raro@x.org", "--format"}).addresses,
              QStringList({"-raro@x.org", "--format"}));
    EXPECT_EQ(parsed({"scan", "--account", "ana@x.org"}).account, "ana@x.org");
    EXPECT_EQ(parsed({"--account=demo", "remove", "a@x.org"}).account, "demo");
    EXPECT_TRUE(parsed({"scan"}).account.isEmpty());
    EXPECT_EQ(parsed({"--help"}).command, AuditOptions::Command::Help);
    EXPECT_EQ(parsed({"remove", "-h"}).command, AuditOptions::Command::Help);
}

TEST(AuditCommandLine, NamesTheFaultInOneLine)
{
    const QList<QPair<QStringList, QString>> cases = {
        {{}, "falta la orden (scan, remove, changes, history, keep o fans)"},
        {{"--format", "csv"}, "falta la orden"},
        {{"borrar"}, "orden desconocida «borrar»"},
        {{"SCAN"}, "orden desconocida «SCAN»"},
        {{"scan", "a@x.org"}, "scan no admite direcciones («a@x.org»)"},
        {{"remove"}, "remove necesita al menos una dirección"},
        {{"remove", "--", ""}, "dirección vacía"},
        {{"scan", "--format"}, "falta el formato tras --format"},
        {{"scan", "--format", "xml"}, "formato desconocido «xml»"},
        {{"scan", "--format="}, "formato desconocido «»"},
        {{"scan", "--format", "csv", "--format=csv"}, "--format aparece más de una vez"},
        {{"scan", "-v"}, "opción desconocida «-v»"},
        {{"scan", "--formats=csv"}, "opción desconocida «--formats=csv»"},
        {{"scan", "--account"}, "falta la cuenta tras --account"},
        {{"scan", "--account="}, "--account necesita una cuenta"},
        {{"scan", "--account", "a@x.org", "--account=demo"}, "--account aparece más de una vez"},
    };
    for (const auto &[arguments, expected] : cases) {
        const AuditCommandLine::Result result = AuditCommandLine::parse(arguments);
        EXPECT_FALSE(result.ok) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.error.contains(expected))
            << arguments.join(' ').toStdString() << ": " << result.error.toStdString();
        EXPECT_FALSE(result.error.contains(QLatin1Char('\n')));
    }
}

TEST(AuditCommandLine, ControlCharactersOfAnArgumentAreShownEscapedInTheFault)
{
    // A line break typed into an argument must not split the fault over two lines.
    const QList<QPair<QStringList, QString>> cases = {
        {{QString::fromUtf8("\xc3\xb8\n")}, "orden desconocida «ø\\x0a»"},
        {{"scan", "-\r\t"}, "opción desconocida «-\\x0d\\x09»"},
        {{"scan", "--format", QString(QChar(0x1b)) + "[2J"}, "formato desconocido «\\x1b[2J»"},
        {{"scan", QString(QChar(0x85))}, "«\\x85»"},
    };
    for (const auto &[arguments, expected] : cases) {
        const AuditCommandLine::Result result = AuditCommandLine::parse(arguments);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains(expected)) << result.error.toStdString();
        for (const QChar ch : result.error)
            EXPECT_NE(ch.category(), QChar::Other_Control) << result.error.toStdString();
    }
}

TEST(AuditCommandLine, AnyMixOfTokensGivesAResultOrAnError)
{
    const QStringList tokens = {"scan", "remove", "--format", "--format=csv", "json", "--",
                                "-",    "",       "a@x.org",  "--help",       "-x"};
    // Every sequence of up to three tokens: either parsed or a named fault, never both or none.
    for (const QString &a : tokens) {
        for (const QString &b : tokens) {
            for (const QString &c : tokens) {
                const AuditCommandLine::Result result = AuditCommandLine::parse({a, b, c});
                EXPECT_NE(result.ok, !result.error.isEmpty())
                    << (a + ' ' + b + ' ' + c).toStdString();
            }
        }
    }
}

TEST(AuditCommandLine, HistoryCommandsTakeOptionsInEitherSpellingAndPlace)
{
    using Command = AuditOptions::Command;
    const AuditOptions changes = parsed({"--format=json", "changes", "--since=2026-12-03"});
    EXPECT_EQ(changes.command, Command::Changes);
    EXPECT_EQ(changes.format, AuditOptions::Format::Json);
    EXPECT_EQ(changes.since, QDate(2026, 12, 3).startOfDay());
    EXPECT_EQ(parsed({"changes", "--since", "2026-12-08T03:39:44Z"}).since,
              QDateTime(QDate(2026, 12, 8), QTime(3, 39, 44), QTimeZone::utc()));
    EXPECT_TRUE(parsed({"changes", "--notify", "--account", "demo"}).notify);
    EXPECT_EQ(parsed({"--account=demo", "changes"}).account, "demo");

    EXPECT_EQ(parsed({"history", "ana@x"}).addresses, QStringList({"ana@x"}));
    EXPECT_EQ(parsed({"--yes", "history", "--forget"}).command, Command::Forget);
    EXPECT_TRUE(parsed({"history", "--forget", "--yes"}).yes);
    EXPECT_EQ(parsed({"keep", "list"}).command, Command::KeepList);
    const AuditOptions keep = parsed({"keep", "add", "a@x", "--", "-b@x", "a@x"});
    EXPECT_EQ(keep.command, Command::KeepAdd);
    EXPECT_EQ(keep.addresses, QStringList({"a@x", "-b@x"}));
    EXPECT_EQ(parsed({"keep", "remove", "a@x"}).command, Command::KeepRemove);
    EXPECT_FALSE(keep.force);
    EXPECT_TRUE(parsed({"--force", "keep", "add", "a@x"}).force);

    // Help and the version win beside any command, also one that would be refused.
    for (const QStringList &arguments : QList<QStringList>{{"changes", "--help"},
                                                           {"history", "-h"},
                                                           {"keep", "--help", "wipe"},
                                                           {"--bogus", "--help"}})
        EXPECT_EQ(parsed(arguments).command, Command::Help) << arguments.join(' ').toStdString();
    EXPECT_EQ(parsed({"keep", "list", "--version"}).command, Command::Version);
}

TEST(AuditCommandLine, HistoryCommandsNameTheirFaults)
{
    const QList<QPair<QStringList, QString>> cases = {
        {{"changes", "--since"}, "falta el valor tras --since"},
        {{"changes", "--since", "ayer"}, "fecha no válida «ayer» tras --since"},
        {{"changes", "--since", "2026-12-08garbage"}, "fecha no válida «2026-12-08garbage»"},
        {{"changes", "--since", "2026-12-08T25:00"}, "fecha no válida «2026-12-08T25:00»"},
        {{"changes", "--since=1", "--since=2"}, "--since aparece más de una vez"},
        {{"changes", "ana@x"}, "changes no admite direcciones («ana@x»)"},
        {{"keep", "--format=csv", "list"}, "--format, --since y --notify solo valen para changes"},
        {{"scan", "--notify"}, "--since y --notify solo valen para changes"},
        {{"remove", "--forget", "a@x"}, "--forget y --yes solo valen para history"},
        {{"history"}, "history necesita una dirección (o --forget)"},
        {{"history", "--yes", "ana@x"}, "--yes solo vale con --forget"},
        {{"history", "--forget", "ana@x"}, "history --forget no admite direcciones"},
        {{"keep"}, "falta qué hacer con keep (add, remove o list)"},
        {{"keep", "list", "--force"}, "--force solo vale para keep add"},
        {{"keep", "remove", "--force", "a@x"}, "--force solo vale para keep add"},
        {{"remove", "--force", "a@x"}, "--force solo vale para keep add"},
        {{"keep", "wipe"}, "acción desconocida «wipe» de keep"},
        {{"keep", "add"}, "keep add necesita al menos una dirección"},
        {{"keep", "list", "a@x"}, "keep list no admite direcciones"},
        {{"keep", "add", "--", ""}, "dirección vacía en la lista de keep"},
        {{"changes", "--notify=1"}, "opción desconocida «--notify=1»"},
        {{"historia"}, "(use scan, remove, changes, history, keep o fans)"},
    };
    for (const auto &[arguments, expected] : cases) {
        const AuditCommandLine::Result result = AuditCommandLine::parse(arguments);
        EXPECT_FALSE(result.ok) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.error.contains(expected))
            << arguments.join(' ').toStdString() << ": " << result.error.toStdString();
    }
}
