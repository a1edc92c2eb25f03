#pragma once

#include "platform/WinTypes.h"
#include "platform/base/Error.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdio>

// A command-line option or value that cannot be used; the message names it.
class OptionError : public Error
{
public:
    using Error::Error;
};

// Walks the arguments of one subcommand, one option at a time.
class OptionCursor
{
public:
    explicit OptionCursor(const QStringList &args) : m_args(args) {}

    bool atEnd() const { return m_next >= m_args.size(); }
    QString next() { return m_args.at(m_next++); }
    // The value that follows an option; an error naming the option when there is none.
    QString valueOf(const QString &option);
    // The file named after -o; an error when it is missing or empty.
    QString outputFile(const QString &option);

private:
    QStringList m_args;
    qsizetype m_next = 0;
};

namespace RenderOptions {

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
