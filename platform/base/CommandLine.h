#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The command line of one of the programs, read by QCommandLineParser. What that class leaves
// out is added here: which argument was refused and why (so that each program says it in its
// own Spanish words), a Spanish list of the options for --help, and --help (-h) and --version
// on every program. Nothing here needs a QCoreApplication, so a program can answer --help and
// --version before it makes one, on a machine with no display.
class CommandLine
{
public:
    // Where options may stand. Anywhere: before, between and after the words (as orvalin-audit
    // reads them). BeforeCommand: everything after the first word belongs to that word, as the
    // subcommands of orvalin-render read their own options.
    enum class Placement { Anywhere, BeforeCommand };

    // Why the arguments were refused. argument is the refused argument as typed; option is the
    // option's name without dashes.
    struct Fault
    {
        enum class Kind { None, UnknownOption, MissingValue };
        Kind kind = Kind::None;
        QString argument;
        QString option;
    };

    explicit CommandLine(Placement placement = Placement::Anywhere);
    CommandLine(CommandLine &&) noexcept = default;
    ~CommandLine();

    // Options may be given several times: values() has them all, value() the last.
    void addOption(const QCommandLineOption &option);

    // Reads the arguments (without the program's name); false when they are refused, and
    // fault() then names the first refused argument. "--" ends the options; "-" is a word.
    bool parse(const QStringList &arguments);
    Fault fault() const { return m_fault; }

    bool helpRequested() const;
    bool versionRequested() const;
    bool isSet(const QString &name) const { return m_parser->isSet(name); }
    QString value(const QString &name) const { return m_parser->value(name); }
    QStringList values(const QString &name) const { return m_parser->values(name); }
    QStringList positionalArguments() const { return m_parser->positionalArguments(); }

    // Every option, one a line, with its value and what it does, after the heading "Opciones:".
    QString optionsHelp() const;
    // The line --version prints: the program's name and the project's version.
    static QString versionLine(const QString &program);
    // The arguments of main() as QCoreApplication::arguments() gives them, without the
    // program's name.
    static QStringList arguments(int argc, const char *const *argv);

private:
    const QCommandLineOption *optionNamed(const QString &name) const;
    Fault findFault(const QStringList &arguments) const;

    Placement m_placement;
    // Held by pointer: the parser itself cannot be moved.
    std::unique_ptr<QCommandLineParser> m_parser;
    QList<QCommandLineOption> m_options;
    Fault m_fault;
};
