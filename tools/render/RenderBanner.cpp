#include "tools/render/RenderBanner.h"

#include "controls/banner/CsLogo.h"
#include "tools/render/RenderOptions.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QResizeEvent>

const char *const renderBannerUsage =
    "uso: orvalin-render banner -o SALIDA.png [--twips ANCHOxALTO] [--caption TEXTO]\n"
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

} // namespace

BannerRenderOptions parseBannerOptions(const QStringList &args)
{
    using namespace RenderOptions;
    BannerRenderOptions options;
    OptionCursor cursor(args);
    while (!cursor.atEnd()) {
        const QString option = cursor.next();
        if (option == QLatin1String("-o")) {
            options.output = cursor.outputFile(option);
        } else if (option == QLatin1String("--twips")) {
            options.twips = parseTwips(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--caption")) {
            options.caption = cursor.valueOf(option);
        } else if (option == QLatin1String("--start")) {
            options.startColor = parseColor(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--end")) {
            options.endColor = parseColor(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--fore")) {
            options.foreColor = parseColor(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--font")) {
            options.fontName = parseFontName(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--font-size")) {
            const QString text = cursor.valueOf(option);
            const float size = parsePositive(text, option, maxFontSize);
            if (size < 1.0f)
                throw OptionError(QStringLiteral("valor no válido para %1: %2 (se espera un "
                                                 "tamaño de 1 a %3 puntos)")
                                      .arg(option, quoted(text))
                                      .arg(double(maxFontSize)));
            options.fontSize = size;
        } else if (option == QLatin1String("--bold")) {
            options.bold = parseFlag(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--autosize")) {
            options.autoSize = parseFlag(cursor.valueOf(option), option);
        } else if (option == QLatin1String("-h") || option == QLatin1String("--help")) {
            options.help = true;
        } else if (option.startsWith(QLatin1Char('-'))) {
            throw OptionError(
                QStringLiteral("opción desconocida para «banner»: %1").arg(quoted(option)));
        } else {
            throw OptionError(QStringLiteral("argumento inesperado: %1").arg(quoted(option)));
        }
    }
    if (options.output.isEmpty() && !options.help)
        throw OptionError(QStringLiteral("falta la opción -o SALIDA.png"));
    return options;
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
    return RenderOptions::renderToFile<BannerRenderOptions>(args, parseBannerOptions,
                                                            renderBannerImage, renderBannerUsage);
}
