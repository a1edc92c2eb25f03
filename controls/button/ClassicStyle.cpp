// Classic: a highlight and dark-shadow outer ring around a light and shadow inner ring; the
// default button draws both one pixel further in, inside a dark outline.

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
