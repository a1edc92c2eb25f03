#include "controls/button/ButtonPainter.h"

void ButtonPainter::fillOrFrameRect(int x, int y, int width, int height, ColorRef color, bool frame)
{
    const WinRect rect{x, y, x + width, y + height};
    if (frame)
        m_surface.frameRect(rect, color);
    else
        m_surface.fillRect(rect, color);
}

void ButtonPainter::embossedCaption()
{
    setTextColor(m_state.palette.highlightColor);
    captionPressed();
    setTextColor(m_state.palette.shadowColor);
    captionUp();
}

void ButtonPainter::flatDisabledCaption()
{
    setTextColor(m_state.palette.shadowColor);
    captionUp();
}
