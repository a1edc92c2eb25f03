// ThinEdge: a single one-pixel edge, lit from the top left, or from the bottom right when
// pressed.

#include "controls/button/ButtonStyles.h"
#include "controls/button/StyleExtent.h"

namespace {

void thinEdges(ButtonPainter &p, const StyleExtent &e, ColorRef topLeft, ColorRef bottomRight,
               qint32 bottomEnd)
{
    p.frame(0, 0, e.W, e.H, topLeft);
    p.line(e.W1, 0, e.W1, e.H, bottomRight);
    p.line(0, e.H1, bottomEnd, e.H1, bottomRight);
}

} // namespace

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
