// Gradient: a face shaded from white downwards, a dark blue rim with rounded corners and
// accent lines in fixed colours, blue when up, orange when pressed, pale blue when disabled.
// Only the caption uses the palette.

#include "controls/button/GradientStyle.h"

#include "controls/button/ButtonStyles.h"
#include "controls/button/StyleExtent.h"

namespace {

constexpr ColorRef rimColor = 0x733C00;
constexpr ColorRef rimCornerColor = 0x7B4D10;
constexpr ColorRef focusSideColor = 0xFFFFFF;

// The accents inside the rim of one look.
struct Accents
{
    ColorRef innerFrame;
    ColorRef bottom;
    ColorRef topRow1;
    ColorRef topRow2;
};

constexpr Accents upAccents{0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD};
constexpr Accents pressedAccents{0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF};
constexpr Accents disabledAccents{0xFDBA99, 0xFE8A71, 0xFFEAD0, 0xFAD9BF};
constexpr ColorRef pressedSideColor = 0x6BCBFF;

constexpr GradientDepth upDepth{1, 75, 50};
constexpr GradientDepth pressedDepth{3, 85, 60};
constexpr GradientDepth disabledDepth{1, 60, 40};

void gradient(ButtonPainter &p, const StyleExtent &e, const GradientDepth &depth)
{
    // The last row, H itself, lies just below the picture and changes nothing; it is kept so
    // the loop runs exactly as it always has.
    const qint32 lastRow = e.H;
    for (qint32 row = depth.firstRow; row <= lastRow; ++row)
        p.line(0, row, e.W, row, gradientRowColor(depth, e.H, row));
}

void rim(ButtonPainter &p, const StyleExtent &e)
{
    p.line(2, 0, e.W2, 0, rimColor);
    p.line(2, e.H1, e.W2, e.H1, rimColor);
    p.line(0, 2, 0, e.H2, rimColor);
    p.line(e.W1, 2, e.W1, e.H2, rimColor);
    p.pixel(1, 1, rimCornerColor);
    p.pixel(1, e.H2, rimCornerColor);
    p.pixel(e.W2, 1, rimCornerColor);
    p.pixel(e.W2, e.H2, rimCornerColor);
}

void accents(ButtonPainter &p, const StyleExtent &e, const Accents &a)
{
    p.frame(1, 2, e.W2, e.H4, a.innerFrame);
    p.line(2, e.H2, e.W2, e.H2, a.bottom);
    p.line(2, 1, e.W2, 1, a.topRow1);
    p.line(1, 2, e.W1, 2, a.topRow2);
}

void sideLines(ButtonPainter &p, const StyleExtent &e, ColorRef color)
{
    p.line(2, 3, 2, e.H3, color);
    p.line(e.W3, 3, e.W3, e.H3, color);
}

} // namespace

ColorRef gradientRowColor(const GradientDepth &depth, qint32 height, qint32 row)
{
    if (height <= 0)
        return 0xFFFFFF;
    // Divided in double precision, then kept in single precision; the product with the row
    // number is taken in double precision from that single-precision factor.
    const float redGreenStep = float(double(depth.redGreen) / double(height));
    const float blueStep = float(double(depth.blue) / double(height));
    const qint32 r = Checked::round<qint32>(double(row) * double(redGreenStep));
    const qint32 b = Checked::round<qint32>(double(row) * double(blueStep));
    const qint64 shade = qint64(r) + 256 * qint64(r) + 65536 * qint64(b);
    return ColorRef(Checked::narrow<qint32>(0xFFFFFF - shade));
}

void paintGradient(ButtonPainter &painter, ButtonLook look)
{
    const StyleExtent e(painter);
    switch (look) {
    case ButtonLook::Up:
        gradient(painter, e, upDepth);
        painter.captionUp();
        rim(painter, e);
        accents(painter, e, upAccents);
        if (painter.focused())
            sideLines(painter, e, focusSideColor);
        break;
    case ButtonLook::Pressed:
        gradient(painter, e, pressedDepth);
        painter.captionPressed();
        rim(painter, e);
        accents(painter, e, pressedAccents);
        // Always there when pressed; the pressed look has no other focus cue.
        sideLines(painter, e, pressedSideColor);
        break;
    case ButtonLook::Disabled:
        gradient(painter, e, disabledDepth);
        painter.embossedCaption();
        rim(painter, e);
        accents(painter, e, disabledAccents);
        break;
    }
}
