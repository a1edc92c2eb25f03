#pragma once

#include "platform/WinTypes.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// What `orvalin-render banner` was asked to draw.
struct BannerRenderOptions
{
    QString output;
    // The banner's extent in twips, as a designer places it by default.
    QSize twips{645, 4545};
    std::optional<QString> caption;
    std::optional<ColorRef> startColor;
    std::optional<ColorRef> endColor;
    std::optional<ColorRef> foreColor;
    std::optional<QString> fontName;
    std::optional<float> fontSize;
    std::optional<bool> bold;
    std::optional<bool> autoSize;
    bool help = false;
    bool version = false;
};

// The options after the subcommand; throws OptionError naming the first bad option or value.
BannerRenderOptions parseBannerOptions(const QStringList &args);
// The size in pixels of a banner of the given twips: twips ÷ twips per pixel, truncated.
QSize bannerPixelSize(const QSize &twips, int twipsPerPixel);
// A fresh banner with the options applied through its properties and sized as asked: its
// picture, one pixel per surface pixel, fully opaque.
QImage renderBannerImage(const BannerRenderOptions &options);
// `orvalin-render banner`: 0 when the picture is written, 2 for a bad call, 1 when it cannot be
// written.
int renderBanner(const QStringList &args);

extern const char *const renderBannerUsage;
// Every option of the subcommand with what it does, for --help.
QString bannerOptionsHelp();
