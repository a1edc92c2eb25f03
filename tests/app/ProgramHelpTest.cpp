// orvalin --help and --version on a machine with no display: answered before any window.
#include "platform/base/Product.h"
#include "tests/support/HeadlessRun.h"

#include <gtest/gtest.h>

TEST(ProgramHelp, HelpAndVersionNeedNoDisplay)
{
    const HeadlessRun version = runHeadless(QStringLiteral(ORVALIN_PATH), {"--version"});
    EXPECT_FALSE(version.crashed);
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, "orvalin " + Product::version() + "\n");

    for (const QStringList &arguments :
         QList<QStringList>{{"--help"}, {"-h"}, {"--account", "demo", "--help"}}) {
        const HeadlessRun help = runHeadless(QStringLiteral(ORVALIN_PATH), arguments);
        EXPECT_FALSE(help.crashed);
        EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
        EXPECT_TRUE(help.out.startsWith("Uso: orvalin")) << help.out.toStdString();
        for (const char *shown : {"--account CUENTA", "--choose-account", "--help", "--version"})
            EXPECT_TRUE(help.out.contains(QLatin1String(shown))) << shown;
    }
}
