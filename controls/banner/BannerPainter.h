#pragma once

#include "platform/Surface.h"
#include "platform/WinTypes.h"

#include <QString>

#include <array>

// The drawing of the banner, apart from the control: the gradient bands, the border and the
// caption written upward, over a surface and the plain state below, so that it can be drawn
// and checked without a widget.
namespace BannerPainter {

// A colour split into its red, green and blue parts.
using Rgb = std::array<qint16, 3>;

struct State
{
    Rgb startRGB{0, 0, 0}; // the bottom band
    Rgb endRGB{0, 0, 0};   // towards the top
    QString caption;
    qint16 borderStyle = 0; // 0 none, 1 a one-pixel black frame
    bool fontAutoSize = false;
    qint32 twipsPerPixel = 15;
    float widthTwips = 0.0f;
    float heightTwips = 0.0f;
};

// The parts of a colour, a system colour translated first; one that cannot be translated
// reads as black.
Rgb split(ColorRef color);

// Sets the size of the surface font; sizes below 1 or above 2160 points are an Error.
void setFontSize(Surface &surface, float points);

// Paints the whole banner on the surface in the surface's font and text colour, fitting the
// font size to the width first when asked. Throws on the first fault (an overflow, a zero
// scale), leaving what was painted before it.
void paint(Surface &surface, const State &state);

} // namespace BannerPainter
