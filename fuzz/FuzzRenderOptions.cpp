// Parses arbitrary argument lists (NUL-separated, the first naming the subcommand "button" or
// "banner") as orvalin-render's options, and draws what parses at sizes that keep a run quick,
// so that the styles and the banner's painting meet odd sizes, colours, fonts and captions.
#include "fuzz/FuzzSupport.h"
#include "tools/render/RenderBanner.h"
#include "tools/render/RenderButton.h"
#include "tools/render/RenderOptions.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Larger pictures only cost time: the drawing code has nothing that depends on scale alone.
constexpr int maxPixels = 400;
constexpr int maxTwips = 20000;

[[noreturn]] void broken(const char *what)
{
    std::fprintf(stderr, "render invariant broken: %s\n", what);
    std::abort();
}

void checkRefusal(const Error &error)
{
    if (error.message().trimmed().isEmpty())
        broken("a refusal without a message");
}

void fuzzButton(const QStringList &args)
{
    ButtonRenderOptions options;
    try {
        options = parseButtonOptions(args);
    } catch (const OptionError &error) {
        checkRefusal(error);
        return;
    }
    if (options.help || options.version)
        return;
    if (options.output.isEmpty())
        broken("button options accepted without an output");
    if (options.size.width() > maxPixels || options.size.height() > maxPixels)
        return;
    const QImage image = renderButtonImage(options);
    if (image.size() != options.size)
        broken("the button picture is not the size asked for");
}

void fuzzBanner(const QStringList &args)
{
    BannerRenderOptions options;
    try {
        options = parseBannerOptions(args);
    } catch (const OptionError &error) {
        checkRefusal(error);
        return;
    }
    if (options.help || options.version)
        return;
    if (options.output.isEmpty())
        broken("banner options accepted without an output");
    if (options.twips.width() > maxTwips || options.twips.height() > maxTwips)
        return;
    QImage image;
    try {
        image = renderBannerImage(options);
    } catch (const Error &error) {
        // Sizes that give no pixel are refused only here, once the twips per pixel are known.
        checkRefusal(error);
        return;
    }
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        broken("an empty banner picture");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureWidgetApplication();
    QStringList args = argumentsFrom(data, size);
    if (args.isEmpty())
        return 0;
    const QString subcommand = args.takeFirst();
    if (subcommand == QLatin1String("button"))
        fuzzButton(args);
    else if (subcommand == QLatin1String("banner"))
        fuzzBanner(args);
    return 0;
}
