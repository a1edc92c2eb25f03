#pragma once

#include "platform/WinTypes.h"
#include "platform/base/CommandLine.h"
#include "platform/base/Error.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

// A command-line option or value that cannot be used; the message names it.
class OptionError : public Error
{
public:
    using Error::Error;
};

namespace RenderOptions {

// A command line that knows options, and the lines its --help gives them.
CommandLine lineWith(const QList<QCommandLineOption> &options);
QString optionsHelp(const QList<QCommandLineOption> &options);

// The options of a drawing subcommand, read by the programs' one command-line reader; throws
// OptionError naming the first option that cannot be read, or an argument that is not an
// option. command names the subcommand in the message.
CommandLine readOptions(const QStringList &args, const QList<QCommandLineOption> &options,
                        const QString &command);
// The file named after -o; an error when it is missing (unless help or the version is asked
// for) or empty.
QString outputFile(const CommandLine &line);

// An option that takes a value, and one that does not, as the drawing commands describe them.
QCommandLineOption valuedOption(const char *name, const char *description, const char *value);
QCommandLineOption flagOption(const char *name, const char *description);
// Every value given to the option (each is checked), the last one counting; none when the
// option is not given.
template <typename Parse>
auto lastValue(const CommandLine &line, const QString &name, Parse parse)
    -> std::optional<decltype(parse(QString(), QString()))>
{
    std::optional<decltype(parse(QString(), QString()))> last;
    for (const QString &value : line.values(name))
        last = parse(value, QStringLiteral("--") + name);
    return last;
}

// A COLORREF 0x00BBGGRR, in hexadecimal with 0x or in decimal, 0 to 0xFFFFFFFF.
ColorRef parseColor(const QString &text, const QString &option);
// A signed 32-bit integer, decimal or hexadecimal with 0x.
qint32 parseInt32(const QString &text, const QString &option);
// WxH in pixels, each from 1 to maxSide.
QSize parseSize(const QString &text, const QString &option);
// A positive finite number no greater than maximum.
float parsePositive(const QString &text, const QString &option, float maximum);
// A font's name: any text but blank.
QString parseFontName(const QString &text, const QString &option);

constexpr int maxSide = 4096;

// Writes the picture as PNG with its alpha channel; an Error naming the file on failure.
void writePng(const QImage &image, const QString &path);
// Prints the one-line message on the error output and gives the exit code of a bad call.
int reportError(const QString &message);

// The whole of a drawing subcommand: parses the options, draws, and writes the picture. A bad
// option is reported with status 2 (also when only drawing finds it out); a picture that
// cannot be drawn or written, with status 1.
template <typename Options, typename Parse, typename Render>
int renderToFile(const QStringList &args, Parse parse, Render render, const char *usage)
{
    Options options;
    try {
        options = parse(args);
    } catch (const Error &error) {
        return reportError(error.message());
    }
    if (options.help) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(qPrintable(CommandLine::versionLine(QStringLiteral("orvalin-render"))), stdout);
        return 0;
    }
    try {
        writePng(render(options), options.output);
    } catch (const OptionError &error) {
        return reportError(error.message());
    } catch (const Error &error) {
        reportError(error.message());
        return 1;
    }
    return 0;
}

} // namespace RenderOptions
