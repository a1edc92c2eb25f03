#include "platform/base/CommandLine.h"
#include "platform/base/Product.h"

#include <gtest/gtest.h>

namespace {

CommandLine withOptions(CommandLine::Placement placement = CommandLine::Placement::Anywhere)
{
    CommandLine line(placement);
    line.addOption(QCommandLineOption(QStringLiteral("format"), QStringLiteral("El formato."),
                                      QStringLiteral("FORMATO")));
    line.addOption(QCommandLineOption(QStringLiteral("notify"), QStringLiteral("Avisa.")));
    return line;
}

} // namespace

TEST(CommandLine, OptionsStandAnywhereUntilTheDoubleDash)
{
    CommandLine line = withOptions();
    ASSERT_TRUE(line.parse({"--format=csv", "changes", "--notify", "-", "--", "--format"}));
    EXPECT_EQ(line.value("format"), "csv");
    EXPECT_TRUE(line.isSet("notify"));
    EXPECT_EQ(line.positionalArguments(), QStringList({"changes", "-", "--format"}));

    ASSERT_TRUE(line.parse({"scan", "--format", "json", "--format", "csv"}));
    EXPECT_EQ(line.values("format"), QStringList({"json", "csv"}));
    EXPECT_FALSE(line.helpRequested());

    // Before a command, everything after it is the command's own.
    CommandLine before = withOptions(CommandLine::Placement::BeforeCommand);
    ASSERT_TRUE(before.parse({"button", "--bogus", "--help"}));
    EXPECT_FALSE(before.helpRequested());
    EXPECT_EQ(before.positionalArguments(), QStringList({"button", "--bogus", "--help"}));
}

TEST(CommandLine, ARefusalNamesTheArgumentAsTyped)
{
    using Kind = CommandLine::Fault::Kind;
    const QList<std::tuple<QStringList, Kind, QString, QString>> cases = {
        {{"scan", "--formats=csv"}, Kind::UnknownOption, "--formats=csv", "formats"},
        {{"-xyz"}, Kind::UnknownOption, "-xyz", "xyz"},
        {{"--notify=1"}, Kind::UnknownOption, "--notify=1", "notify"},
        {{"scan", "--format"}, Kind::MissingValue, "--format", "format"},
        {{"--format", "x", "--bogus", "--format"}, Kind::UnknownOption, "--bogus", "bogus"},
    };
    for (const auto &[arguments, kind, argument, option] : cases) {
        CommandLine line = withOptions();
        EXPECT_FALSE(line.parse(arguments)) << arguments.join(' ').toStdString();
        EXPECT_EQ(line.fault().kind, kind) << arguments.join(' ').toStdString();
        EXPECT_EQ(line.fault().argument, argument);
        EXPECT_EQ(line.fault().option, option);
    }
    // A value that looks like an option is still the value.
    CommandLine line = withOptions();
    EXPECT_TRUE(line.parse({"--format", "--bogus"}));
    EXPECT_EQ(line.value("format"), "--bogus");
}

TEST(CommandLine, HelpAndVersionAreThereEvenBesideAFault)
{
    CommandLine line = withOptions();
    EXPECT_FALSE(line.parse({"--bogus", "-h"}));
    EXPECT_TRUE(line.helpRequested());
    EXPECT_TRUE(line.parse({"--version"}));
    EXPECT_TRUE(line.versionRequested());
    EXPECT_EQ(CommandLine::versionLine("orvalin-audit"),
              "orvalin-audit " + Product::version() + "\n");
    EXPECT_FALSE(Product::version().isEmpty());

    const QString help = line.optionsHelp();
    EXPECT_TRUE(help.startsWith("Opciones:\n"));
    for (const char *shown : {"-h, --help", "--version", "--format FORMATO  El formato.",
                              "--notify", "Muestra esta ayuda"})
        EXPECT_TRUE(help.contains(QString::fromUtf8(shown))) << shown << "\n" << help.toStdString();
}
