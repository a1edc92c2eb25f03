// ThickEdge: a two-pixel raised or sunken edge.

#include "controls/button/ButtonStyles.h"
#include "controls/button/StyleExtent.h"

namespace {

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

} // namespace

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
