#include "tools/render/RenderBanner.h"

#include "controls/banner/CsLogo.h"
#include "tools/render/RenderOptions.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QResizeEvent>

const char *const renderBannerUsage =
    "Uso: orvalin-render banner -o SALIDA.png [--twips ANCHOxALTO] [--caption TEXTO]\n"
    "       [--start COLOR] [--end COLOR] [--fore COLOR] [--font NOMBRE] [--font-size PT]\n"
    "       [--bold 0|1] [--autosize 0|1]\n";

namespace {

// The largest font size the banner's font takes, in points.
constexpr float maxFontSize = 2160.0f;

QString quoted(const QString &text)
{
    return QStringLiteral("«%1»").arg(text.left(60));
}

bool parseFlag(const QString &text, const QString &option)
{
    if (text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("0"))
        return false;
    throw OptionError(
        QStringLiteral("valor no válido para %1: %2 (se espera 0 o 1)").arg(option, quoted(text)));
}

QSize parseTwips(const QString &text, const QString &option)
{
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,6})x([0-9]{1,6})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        throw OptionError(
            QStringLiteral("valor no válido para %1: %2 (se espera ANCHOxALTO en twips)")
                .arg(option, quoted(text)));
    return QSize(match.captured(1).toInt(), match.captured(2).toInt());
}

QList<QCommandLineOption> bannerOptions()
{
    return {RenderOptions::valuedOption("o", "El archivo PNG que se escribe.", "SALIDA.png"),
            RenderOptions::valuedOption("twips", "El tamaño en twips (por omisión 645x4545).",
                                        "ANCHOxALTO"),
            RenderOptions::valuedOption("caption", "El texto del rótulo.", "TEXTO"),
            RenderOptions::valuedOption("start", "El color donde empieza el degradado, 0x00BBGGRR.",
                                        "COLOR"),
            RenderOptions::valuedOption("end", "El color donde acaba el degradado, 0x00BBGGRR.",
                                        "COLOR"),
            RenderOptions::valuedOption("fore", "El color del texto, 0x00BBGGRR.", "COLOR"),
            RenderOptions::valuedOption("font", "El nombre de la fuente.", "NOMBRE"),
            RenderOptions::valuedOption("font-size",
                                        "El tamaño de la fuente en puntos, de 1 a 2160.", "PT"),
            RenderOptions::valuedOption("bold", "Fuente en negrita: 1 sí, 0 no.", "0|1"),
            RenderOptions::valuedOption("autosize", "La fuente se ajusta al rótulo: 1 sí, 0 no.",
                                        "0|1")};
}

QString anyText(const QString &text, const QString &)
{
    return text;
}

float parseFontSize(const QString &text, const QString &option)
{
    const float size = RenderOptions::parsePositive(text, option, maxFontSize);
    if (size < 1.0f)
        throw OptionError(
            QStringLiteral("valor no válido para %1: %2 (se espera un tamaño de 1 a %3 puntos)")
                .arg(option, quoted(text))
                .arg(double(maxFontSize)));
    return size;
}

} // namespace

BannerRenderOptions parseBannerOptions(const QStringList &args)
{
    using namespace RenderOptions;
    const CommandLine line = readOptions(args, bannerOptions(), QStringLiteral("banner"));
    BannerRenderOptions options;
    options.twips = lastValue(line, QStringLiteral("twips"), parseTwips).value_or(options.twips);
    options.caption = lastValue(line, QStringLiteral("caption"), anyText);
    options.startColor = lastValue(line, QStringLiteral("start"), parseColor);
    options.endColor = lastValue(line, QStringLiteral("end"), parseColor);
    options.foreColor = lastValue(line, QStringLiteral("fore"), parseColor);
    options.fontName = lastValue(line, QStringLiteral("font"), parseFontName);
    options.fontSize = lastValue(line, QStringLiteral("font-size"), parseFontSize);
    options.bold = lastValue(line, QStringLiteral("bold"), parseFlag);
    options.autoSize = lastValue(line, QStringLiteral("autosize"), parseFlag);
    options.help = line.helpRequested();
    options.version = line.versionRequested();
    options.output = outputFile(line);
    return options;
}

QString bannerOptionsHelp()
{
    return RenderOptions::optionsHelp(bannerOptions());
}

QSize bannerPixelSize(const QSize &twips, int twipsPerPixel)
{
    const int perPixel = twipsPerPixel > 0 ? twipsPerPixel : 15;
    const QSize pixels(twips.width() / perPixel, twips.height() / perPixel);
    if (pixels.width() < 1 || pixels.height() < 1 || pixels.width() > RenderOptions::maxSide ||
        pixels.height() > RenderOptions::maxSide)
        throw OptionError(QStringLiteral("valor no válido para --twips: %1x%2 da %3x%4 píxeles "
                                         "(cada lado de %5 a %6 twips)")
                              .arg(twips.width())
                              .arg(twips.height())
                              .arg(pixels.width())
                              .arg(pixels.height())
                              .arg(perPixel)
                              .arg(perPixel * RenderOptions::maxSide + perPixel - 1));
    return pixels;
}

QImage renderBannerImage(const BannerRenderOptions &options)
{
    csLogo banner;
    const QSize pixels = bannerPixelSize(options.twips, banner.twipsPerPixelY());
    banner.InitProperties();
    // The host's first Resize: the window is never shown, so the notification is sent here.
    // Sized first, so that every property change paints at the final size.
    const QSize oldSize = banner.size();
    banner.resize(pixels);
    QResizeEvent resize(pixels, oldSize);
    QCoreApplication::sendEvent(&banner, &resize);
    banner.setAttribute(Qt::WA_PendingResizeEvent, false);

    // FontAutoSize first: while it is on, every later change fits the font again.
    if (options.autoSize)
        banner.setFontAutoSize(toVbBool(*options.autoSize));
    if (options.caption)
        banner.setCaption(*options.caption);
    if (options.startColor)
        banner.setStartColor(*options.startColor);
    if (options.endColor)
        banner.setEndColor(*options.endColor);
    if (options.foreColor)
        banner.setForeColor(*options.foreColor);
    if (options.fontName)
        banner.setFontName(*options.fontName);
    if (options.bold)
        banner.setFontBold(toVbBool(*options.bold));
    if (options.fontSize)
        banner.setFontSize(*options.fontSize);
    return banner.renderedImage();
}

int renderBanner(const QStringList &args)
{
    const QByteArray usage = (QString::fromUtf8(renderBannerUsage) + bannerOptionsHelp()).toUtf8();
    return RenderOptions::renderToFile<BannerRenderOptions>(args, parseBannerOptions,
                                                            renderBannerImage, usage.constData());
}
