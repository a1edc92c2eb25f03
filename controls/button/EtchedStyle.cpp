// Etched: a grooved outline on a slightly lighter face, the caption always in the non-bold
// face, and a box around the caption as the focus cue.

#include "controls/button/EtchedStyle.h"

#include "controls/button/ButtonStyles.h"
#include "controls/button/StyleExtent.h"

namespace {

qint32 nearest(double value)
{
    return Checked::round<qint32>(value);
}

qint32 half(qint32 value)
{
    return value / 2;
} // truncates toward zero

void captionBox(ButtonPainter &p)
{
    // Measured with bold already off, and on the caption as stored: an "&" counts with its
    // own width although the caption drawing does not show it.
    const EtchedCaptionBox box =
        etchedCaptionBox(p.width(), p.height(), p.captionWidth(), p.captionHeight());
    p.frame(box.x, box.y, box.width, box.height, etchedCaptionBoxColor);
}

ColorRef shadow(const ButtonPainter &p, qint32 delta)
{
    return ShiftColor(p.palette().shadowColor, delta);
}

void upLook(ButtonPainter &p, const StyleExtent &e)
{
    const ButtonPalette &c = p.palette();
    p.fill(1, 1, e.W1, e.H1, ShiftColor(c.faceColor, 12));
    p.captionUp();
    p.frame(1, 1, e.W1, e.H1, c.highlightColor);
    p.frame(0, 0, e.W1, e.H1, shadow(p, -26));
    p.pixel(1, e.H2, shadow(p, 26));
    p.pixel(e.W2, 1, shadow(p, 26));
    if (p.focused())
        captionBox(p);
}

void pressedLook(ButtonPainter &p, const StyleExtent &e)
{
    const ButtonPalette &c = p.palette();
    p.fill(1, 1, e.W2, e.H2, shadow(p, 16));
    p.frame(0, 0, e.W1, e.H1, shadow(p, -26));
    p.line(e.W1, 1, e.W1, e.H, c.highlightColor);
    p.line(1, e.H1, e.W1, e.H1, c.highlightColor);
    // The pressed caption stays where the up caption is.
    p.captionUp();
    if (p.focused())
        captionBox(p);
}

void disabledLook(ButtonPainter &p, const StyleExtent &e)
{
    p.flatDisabledCaption();
    p.frame(0, 0, e.W, e.H, p.palette().shadowColor);
}

} // namespace

EtchedCaptionBox etchedCaptionBox(qint32 width, qint32 height, qreal textWidth, qreal textHeight)
{
    EtchedCaptionBox box;
    box.x = Checked::sub<qint32>(half(nearest(double(width) - textWidth)), 3);
    box.y = Checked::sub<qint32>(half(nearest(double(height) - textHeight)), 1);
    box.width = nearest(textWidth + 6);
    box.height = nearest(textHeight + 2);
    return box;
}

void paintEtched(ButtonPainter &painter, ButtonLook look)
{
    const StyleExtent e(painter);
    // Bold goes off for the caption and its measurement, and comes back from the Font
    // member afterwards, whatever the surface's bold switch was before.
    painter.setFontBold(false);
    switch (look) {
    case ButtonLook::Up:
        upLook(painter, e);
        break;
    case ButtonLook::Pressed:
        pressedLook(painter, e);
        break;
    case ButtonLook::Disabled:
        disabledLook(painter, e);
        break;
    }
    painter.setFontBold(painter.fontBold());
}
