#include "platform/base/CommandLine.h"

#include "platform/base/Product.h"

#include <QFile>

#include <algorithm>

namespace {

const QString HelpName = QStringLiteral("help");
const QString VersionName = QStringLiteral("version");

QString spelled(const QString &name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// How an option is written in the help: "-h, --help" or "--format FORMATO".
QString synopsis(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names.append(spelled(name));
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QLatin1Char(' ') + option.valueName();
    return text;
}

} // namespace

CommandLine::CommandLine(Placement placement)
    : m_placement(placement), m_parser(std::make_unique<QCommandLineParser>())
{
    // "-format" reads as "--format" and "-xyz" as one unknown option, never as "-x -y -z":
    // a refusal then quotes exactly the argument that was typed.
    m_parser->setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (placement == Placement::BeforeCommand)
        m_parser->setOptionsAfterPositionalArgumentsMode(
            QCommandLineParser::ParseAsPositionalArguments);
    addOption(QCommandLineOption({QStringLiteral("h"), HelpName},
                                 QStringLiteral("Muestra esta ayuda y termina.")));
    addOption(QCommandLineOption(VersionName, QStringLiteral("Muestra la versión y termina.")));
}

CommandLine::~CommandLine() = default;

void CommandLine::addOption(const QCommandLineOption &option)
{
    m_parser->addOption(option);
    m_options.append(option);
}

bool CommandLine::parse(const QStringList &arguments)
{
    m_fault = Fault();
    // The parser skips the first argument as the program's name.
    if (m_parser->parse(QStringList(QString()) + arguments))
        return true;
    m_fault = findFault(arguments);
    return false;
}

bool CommandLine::helpRequested() const
{
    return m_parser->isSet(HelpName);
}

bool CommandLine::versionRequested() const
{
    return m_parser->isSet(VersionName);
}

QString CommandLine::optionsHelp() const
{
    qsizetype width = 0;
    for (const QCommandLineOption &option : m_options)
        width = std::max(width, synopsis(option).size());
    QString text = QStringLiteral("Opciones:\n");
    for (const QCommandLineOption &option : m_options)
        text += QStringLiteral("  ") + synopsis(option).leftJustified(width + 2) +
                option.description() + QLatin1Char('\n');
    return text;
}

QString CommandLine::versionLine(const QString &program)
{
    return program + QLatin1Char(' ') + Product::version() + QLatin1Char('\n');
}

QStringList CommandLine::arguments(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
    return arguments;
}

const QCommandLineOption *CommandLine::optionNamed(const QString &name) const
{
    for (const QCommandLineOption &option : m_options) {
        if (option.names().contains(name))
            return &option;
    }
    return nullptr;
}

// The parser says why only in English words; the arguments are walked again by its rules to
// find the one it refused.
CommandLine::Fault CommandLine::findFault(const QStringList &arguments) const
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            if (m_placement == Placement::BeforeCommand)
                break;
            continue;
        }
        const QString body = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const qsizetype equals = body.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? body : body.left(equals);
        const QCommandLineOption *option = optionNamed(name);
        const bool takesValue = option && !option->valueName().isEmpty();
        if (!option || (equals >= 0 && !takesValue))
            return {Fault::Kind::UnknownOption, argument, name};
        if (takesValue && equals < 0 && ++i >= arguments.size())
            return {Fault::Kind::MissingValue, argument, option->names().constLast()};
    }
    // Not reached while the walk follows the parser; a refusal is never left unexplained.
    const QStringList unknown = m_parser->unknownOptionNames();
    const QString name = unknown.isEmpty() ? m_parser->errorText() : unknown.first();
    return {Fault::Kind::UnknownOption, spelled(name), name};
}
