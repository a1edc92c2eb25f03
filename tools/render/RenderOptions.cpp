#include "tools/render/RenderOptions.h"

#include "platform/base/SystemText.h"

#include <QImageWriter>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace {

QString quoted(const QString &text)
{
    return QStringLiteral("«%1»").arg(text.left(60));
}

// An integer written in decimal (with an optional sign) or in hexadecimal with 0x.
std::optional<qint64> parseInteger(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t != text)
        return std::nullopt;
    bool ok = false;
    qint64 value = 0;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = t.mid(2);
        if (digits.isEmpty() || digits.size() > 8 || digits.startsWith(QLatin1Char('+')) ||
            digits.startsWith(QLatin1Char('-')))
            return std::nullopt;
        value = digits.toLongLong(&ok, 16);
    } else {
        if (t.size() > 12)
            return std::nullopt;
        value = t.toLongLong(&ok, 10);
    }
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

CommandLine RenderOptions::lineWith(const QList<QCommandLineOption> &options)
{
    CommandLine line;
    for (const QCommandLineOption &option : options)
        line.addOption(option);
    return line;
}

QString RenderOptions::optionsHelp(const QList<QCommandLineOption> &options)
{
    return lineWith(options).optionsHelp();
}

CommandLine RenderOptions::readOptions(const QStringList &args,
                                       const QList<QCommandLineOption> &options,
                                       const QString &command)
{
    CommandLine line = lineWith(options);
    if (!line.parse(args)) {
        const CommandLine::Fault fault = line.fault();
        if (fault.kind == CommandLine::Fault::Kind::MissingValue)
            throw OptionError(QStringLiteral("falta el valor de %1").arg(fault.argument));
        throw OptionError(QStringLiteral("opción desconocida para «%1»: %2")
                              .arg(command, quoted(fault.argument)));
    }
    if (const QStringList words = line.positionalArguments(); !words.isEmpty())
        throw OptionError(QStringLiteral("argumento inesperado: %1").arg(quoted(words.first())));
    return line;
}

QString RenderOptions::outputFile(const CommandLine &line)
{
    const QStringList files = line.values(QStringLiteral("o"));
    for (const QString &file : files) {
        if (file.isEmpty())
            throw OptionError(QStringLiteral("el archivo de -o no puede estar vacío"));
    }
    if (files.isEmpty() && !line.helpRequested() && !line.versionRequested())
        throw OptionError(QStringLiteral("falta la opción -o SALIDA.png"));
    return files.isEmpty() ? QString() : files.last();
}

ColorRef RenderOptions::parseColor(const QString &text, const QString &option)
{
    const auto value = parseInteger(text);
    if (!value || *value < 0 || *value > qint64(std::numeric_limits<quint32>::max()))
        throw OptionError(QStringLiteral("valor no válido para %1: %2 (se espera un color "
                                         "0x00BBGGRR en hexadecimal o en decimal)")
                              .arg(option, quoted(text)));
    return ColorRef(*value);
}

qint32 RenderOptions::parseInt32(const QString &text, const QString &option)
{
    const auto value = parseInteger(text);
    if (!value || *value < std::numeric_limits<qint32>::min() ||
        *value > std::numeric_limits<qint32>::max())
        throw OptionError(
            QStringLiteral("valor no válido para %1: %2 (se espera un entero de 32 bits)")
                .arg(option, quoted(text)));
    return qint32(*value);
}

QSize RenderOptions::parseSize(const QString &text, const QString &option)
{
    const auto fail = [&] {
        return OptionError(
            QStringLiteral("valor no válido para %1: %2 (se espera ANCHOxALTO, de 1 a %3 píxeles)")
                .arg(option, quoted(text))
                .arg(maxSide));
    };
    // Plain decimal sides only: "0x10" must not read as a hexadecimal width.
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        throw fail();
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (width < 1 || width > maxSide || height < 1 || height > maxSide)
        throw fail();
    return QSize(width, height);
}

float RenderOptions::parsePositive(const QString &text, const QString &option, float maximum)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0.0 || value > double(maximum))
        throw OptionError(
            QStringLiteral("valor no válido para %1: %2 (se espera un número mayor que 0 y no "
                           "mayor que %3)")
                .arg(option, quoted(text))
                .arg(double(maximum)));
    return float(value);
}

QString RenderOptions::parseFontName(const QString &text, const QString &option)
{
    if (text.trimmed().isEmpty())
        throw OptionError(QStringLiteral("el nombre de %1 no puede estar vacío").arg(option));
    return text;
}

void RenderOptions::writePng(const QImage &image, const QString &path)
{
    QImageWriter writer(path, "png");
    if (!writer.write(image))
        throw Error(QStringLiteral("no se puede escribir %1: %2")
                        .arg(quoted(path), SystemText::fromSystemText(writer.errorString())));
}

int RenderOptions::reportError(const QString &message)
{
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "orvalin-render: %s\n", line.toUtf8().constData());
    return 2;
}

QCommandLineOption RenderOptions::valuedOption(const char *name, const char *description,
                                               const char *value)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description),
                              QString::fromUtf8(value));
}

QCommandLineOption RenderOptions::flagOption(const char *name, const char *description)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromUtf8(description));
}
