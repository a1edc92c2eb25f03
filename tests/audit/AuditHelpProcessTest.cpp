#include "platform/base/Product.h"
#include "tests/support/HeadlessRun.h"

#include <gtest/gtest.h>

// orvalin-audit's help, version and usage errors, as a process with no display at all.

namespace {

HeadlessRun audit(const QStringList &arguments)
{
    return runHeadless(QStringLiteral(ORVALIN_AUDIT_PATH), arguments);
}

} // namespace

TEST(AuditHelpProcess, HelpAndVersionNeedNoDisplay)
{
    const HeadlessRun version = audit({"--version"});
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, "orvalin-audit " + Product::version() + "\n");
    EXPECT_EQ(version.err, QString());

    for (const QStringList &arguments :
         QList<QStringList>{{"--help"}, {"changes", "--help"}, {"keep", "-h"}}) {
        const HeadlessRun help = audit(arguments);
        EXPECT_FALSE(help.crashed);
        EXPECT_EQ(help.exitCode, 0) << arguments.join(' ').toStdString();
        EXPECT_TRUE(help.out.startsWith("Uso:\n")) << help.out.toStdString();
        // Every command and option is in the help, for the manual page to follow it.
        for (const char *shown :
             {"scan", "remove", "changes", "history", "keep", "fans", "--format", "--account",
              "--since", "--notify", "--forget", "--yes", "--help", "--version", "Opciones:"})
            EXPECT_TRUE(help.out.contains(QLatin1String(shown))) << shown;
        EXPECT_EQ(help.err, QString());
    }
}

TEST(AuditHelpProcess, UsageErrorsExitTwoWithOneSpanishLine)
{
    const QList<QPair<QStringList, QString>> cases = {
        {{}, "orvalin-audit: falta la orden (scan, remove, changes, history, keep o fans)\n"},
        {{"scan", "--bogus"}, "orvalin-audit: opción desconocida «--bogus»\n"},
        {{"--format", "xml", "changes"},
         "orvalin-audit: formato desconocido «xml» (use table, csv o json)\n"},
        {{"remove"}, "orvalin-audit: remove necesita al menos una dirección\n"},
    };
    for (const auto &[arguments, expected] : cases) {
        const HeadlessRun run = audit(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, expected);
        EXPECT_EQ(run.out, QString());
    }
}
