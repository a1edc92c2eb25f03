// Beveled: a dark rim around a two-pixel bevel.

#include "controls/button/ButtonStyles.h"
#include "controls/button/StyleExtent.h"

namespace {

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
