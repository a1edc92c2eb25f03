// The styles drawn from straight edges in palette colours: Classic, ThinEdge, ThickEdge and
// Beveled. Each list is drawn in its fixed order; later primitives overwrite earlier pixels.

#include "controls/button/ButtonStyles.h"
#include "controls/button/StyleExtent.h"

namespace {

// Classic's ordinary edges: a highlight and dark-shadow outer ring, a light and shadow inner
// ring. The disabled look reuses them.
void classicEdges(ButtonPainter &p, const StyleExtent &e)
{
    const ButtonPalette &c = p.palette();
    p.frame(0, 0, e.W1, e.H1, c.highlightColor);
    p.frame(1, 1, e.W2, e.H2, c.lightColor);
    p.line(e.W1, 0, e.W1, e.H, c.darkShadowColor);
    p.line(e.W2, 1, e.W2, e.H1, c.shadowColor);
    p.line(0, e.H1, e.W1, e.H1, c.darkShadowColor);
    p.line(1, e.H2, e.W2, e.H2, c.shadowColor);
}

// The default button's edges: both rings one pixel further in, the focus rectangle, then a
// dark outline on the outermost pixels.
void classicDefaultEdges(ButtonPainter &p, const StyleExtent &e)
{
    const ButtonPalette &c = p.palette();
    p.frame(1, 1, e.W2, e.H2, c.highlightColor);
    p.frame(2, 2, e.W4, e.H4, c.lightColor);
    p.line(e.W2, 1, e.W2, e.H1, c.darkShadowColor);
    p.line(e.W3, 2, e.W3, e.H1, c.shadowColor);
    p.line(1, e.H2, e.W1, e.H2, c.darkShadowColor);
    p.line(2, e.H3, e.W2, e.H3, c.shadowColor);
    if (p.focused())
        p.focusRectangle();
    p.frame(0, 0, e.W, e.H, c.darkShadowColor);
}

void thinEdges(ButtonPainter &p, const StyleExtent &e, ColorRef topLeft, ColorRef bottomRight,
               qint32 bottomEnd)
{
    p.frame(0, 0, e.W, e.H, topLeft);
    p.line(e.W1, 0, e.W1, e.H, bottomRight);
    p.line(0, e.H1, bottomEnd, e.H1, bottomRight);
}

// ThickEdge's raised light is LightColor+8, taken anew for each primitive as the list says.
ColorRef thickLight(const ButtonPainter &p)
{
    return ShiftColor(p.palette().lightColor, 8);
}

void thickRaisedEdges(ButtonPainter &p, const StyleExtent &e)
{
    const ColorRef shadow = p.palette().shadowColor;
    p.frame(0, 0, e.W, e.H, thickLight(p));
    p.frame(1, 1, e.W2, e.H2, thickLight(p));
    p.line(e.W1, 0, e.W1, e.H, shadow);
    p.line(e.W2, 1, e.W2, e.H1, shadow);
    p.line(0, e.H1, e.W, e.H1, shadow);
    p.line(1, e.H2, e.W1, e.H2, shadow);
}

void thickSunkenEdges(ButtonPainter &p, const StyleExtent &e)
{
    const ColorRef shadow = p.palette().shadowColor;
    p.frame(0, 0, e.W, e.H, shadow);
    p.frame(1, 1, e.W2, e.H2, shadow);
    p.line(e.W1, 0, e.W1, e.H, thickLight(p));
    p.line(e.W2, 1, e.W2, e.H1, thickLight(p));
    p.line(0, e.H1, e.W, e.H1, thickLight(p));
    p.line(1, e.H2, e.W1, e.H2, thickLight(p));
}

// Beveled: a dark rim whose lines stop one pixel short of each corner, around a two-pixel
// bevel lit from the top left (or from the bottom right when pressed).
void beveledEdges(ButtonPainter &p, const StyleExtent &e, ColorRef lit, ColorRef shaded)
{
    const ColorRef rim = p.palette().darkShadowColor;
    p.line(1, 0, e.W1, 0, rim);
    p.line(1, e.H1, e.W1, e.H1, rim);
    p.line(0, 1, 0, e.H1, rim);
    p.line(e.W1, 1, e.W1, e.H1, rim);
    p.frame(1, 1, e.W2, e.H2, lit);
    p.frame(2, 2, e.W4, e.H4, lit);
    p.line(e.W2, 1, e.W2, e.H1, shaded);
    p.line(e.W3, 2, e.W3, e.H1, shaded);
    p.line(1, e.H2, e.W1, e.H2, shaded);
    p.line(2, e.H3, e.W2, e.H3, shaded);
}

} // namespace

void paintClassic(ButtonPainter &painter, ButtonLook look)
{
    const StyleExtent e(painter);
    switch (look) {
    case ButtonLook::Up:
        painter.captionUp();
        // Without the default outline there is no room for the focus cue, so none is drawn.
        if (painter.displayAsDefault())
            classicDefaultEdges(painter, e);
        else
            classicEdges(painter, e);
        break;
    case ButtonLook::Pressed:
        painter.captionPressed();
        painter.frame(0, 0, e.W, e.H, painter.palette().darkShadowColor);
        painter.frame(1, 1, e.W2, e.H2, painter.palette().shadowColor);
        if (painter.focused())
            painter.focusRectangle();
        break;
    case ButtonLook::Disabled:
        painter.embossedCaption();
        classicEdges(painter, e);
        break;
    }
}

void paintThinEdge(ButtonPainter &painter, ButtonLook look)
{
    const StyleExtent e(painter);
    const ButtonPalette &c = painter.palette();
    switch (look) {
    case ButtonLook::Up:
        painter.captionUp();
        thinEdges(painter, e, c.highlightColor, c.shadowColor, e.W);
        if (painter.focused())
            painter.focusRectangle();
        break;
    case ButtonLook::Pressed:
        painter.captionPressed();
        thinEdges(painter, e, c.shadowColor, c.highlightColor, e.W1);
        if (painter.focused())
            painter.focusRectangle();
        break;
    case ButtonLook::Disabled:
        painter.embossedCaption();
        thinEdges(painter, e, c.highlightColor, c.shadowColor, e.W1);
        break;
    }
}

void paintThickEdge(ButtonPainter &painter, ButtonLook look)
{
    const StyleExtent e(painter);
    switch (look) {
    case ButtonLook::Up:
        painter.captionUp();
        thickRaisedEdges(painter, e);
        if (painter.focused())
            painter.focusRectangle();
        break;
    case ButtonLook::Pressed:
        painter.captionPressed();
        thickSunkenEdges(painter, e);
        if (painter.focused())
            painter.focusRectangle();
        break;
    case ButtonLook::Disabled:
        painter.flatDisabledCaption();
        thickRaisedEdges(painter, e);
        break;
    }
}

void paintBeveled(ButtonPainter &painter, ButtonLook look)
{
    const StyleExtent e(painter);
    const ButtonPalette &c = painter.palette();
    switch (look) {
    case ButtonLook::Up:
        painter.captionUp();
        beveledEdges(painter, e, c.highlightColor, c.shadowColor);
        if (painter.focused())
            painter.focusRectangle();
        break;
    case ButtonLook::Pressed:
        painter.captionPressed();
        beveledEdges(painter, e, c.shadowColor, c.highlightColor);
        if (painter.focused())
            painter.focusRectangle();
        break;
    case ButtonLook::Disabled:
        painter.embossedCaption();
        beveledEdges(painter, e, c.highlightColor, c.shadowColor);
        break;
    }
}
