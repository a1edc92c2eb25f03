// Rounded: a LightColor face inside a dark rim with corners of radius 2, shaped pixel by
// pixel, and a soft bevel. It draws no focus cue in any look.

#include "controls/button/ButtonStyles.h"
#include "controls/button/StyleExtent.h"

namespace {

// The rim lines stop two pixels short of each corner; the corner pixels come separately.
void rimLines(ButtonPainter &p, const StyleExtent &e)
{
    const ColorRef rim = p.palette().darkShadowColor;
    p.line(2, 0, e.W2, 0, rim);
    p.line(2, e.H1, e.W2, e.H1, rim);
    p.line(0, 2, 0, e.H2, rim);
    p.line(e.W1, 2, e.W1, e.H2, rim);
}

void rimCornerPixels(ButtonPainter &p, const StyleExtent &e)
{
    const ColorRef rim = p.palette().darkShadowColor;
    p.pixel(1, 1, rim);
    p.pixel(1, e.H2, rim);
    p.pixel(e.W2, 1, rim);
    p.pixel(e.W2, e.H2, rim);
}

// Everything of the up list after its caption; the disabled look shares it.
void raisedBody(ButtonPainter &p, const StyleExtent &e)
{
    const ButtonPalette &c = p.palette();
    rimLines(p, e);
    rimCornerPixels(p, e);
    p.pixel(1, 2, c.faceColor);
    p.pixel(2, 1, c.faceColor);
    p.line(3, 2, e.W3, 2, c.highlightColor);
    p.line(2, 2, 2, e.H3, c.highlightColor);
    p.pixel(3, 3, c.highlightColor);
    p.line(e.W3, 1, e.W3, e.H3, c.faceColor);
    p.line(1, e.H3, e.W3, e.H3, c.faceColor);
    p.pixel(e.W4, e.H4, c.faceColor);
    p.line(e.W2, 3, e.W2, e.H2, c.shadowColor);
    p.line(3, e.H2, e.W2, e.H2, c.shadowColor);
    p.pixel(e.W3, e.H3, c.shadowColor);
    p.pixel(2, e.H2, c.faceColor);
    p.pixel(2, e.H3, c.lightColor);
    p.pixel(e.W2, 2, c.faceColor);
    p.pixel(e.W3, 2, c.lightColor);
}

// The pressed look works in shades of ShadowColor, each shift taken anew for its primitive.
ColorRef shadow(const ButtonPainter &p, qint32 delta)
{
    return ShiftColor(p.palette().shadowColor, delta);
}

void pressedLook(ButtonPainter &p, const StyleExtent &e)
{
    const ButtonPalette &c = p.palette();
    p.fill(1, 1, e.W2, e.H2, shadow(p, -16));
    p.setTextColor(c.lightColor);
    p.captionPressed();
    rimLines(p, e);
    p.frame(1, 1, e.W2, e.H2, shadow(p, -64));
    p.frame(2, 2, e.W4, e.H4, shadow(p, -32));
    p.pixel(2, 2, shadow(p, -64));
    p.pixel(3, 3, shadow(p, -32));
    rimCornerPixels(p, e);
    p.line(e.W3, 1, e.W3, e.H3, c.shadowColor);
    p.line(1, e.H3, e.W2, e.H3, c.shadowColor);
    p.pixel(e.W4, e.H4, c.shadowColor);
    p.line(e.W2, 3, e.W2, e.H2, shadow(p, -16));
    p.line(3, e.H2, e.W2, e.H2, shadow(p, -16));
    p.pixel(e.W2, e.H3, shadow(p, -32));
    p.pixel(e.W3, e.H2, shadow(p, -32));
    p.pixel(2, e.H2, shadow(p, -32));
    p.pixel(2, e.H3, shadow(p, -16));
    p.pixel(1, e.H3, shadow(p, -16));
    p.pixel(e.W2, 2, shadow(p, -32));
    p.pixel(e.W3, 2, shadow(p, -16));
    p.pixel(e.W3, 1, shadow(p, -16));
}

} // namespace

void paintRounded(ButtonPainter &painter, ButtonLook look)
{
    const StyleExtent e(painter);
    switch (look) {
    case ButtonLook::Up:
        painter.fill(1, 1, e.W2, e.H2, painter.palette().lightColor);
        painter.captionUp();
        raisedBody(painter, e);
        break;
    case ButtonLook::Pressed:
        pressedLook(painter, e);
        break;
    case ButtonLook::Disabled:
        painter.fill(1, 1, e.W2, e.H2, painter.palette().lightColor);
        painter.embossedCaption();
        raisedBody(painter, e);
        break;
    }
}
