#pragma once

#include "controls/button/ButtonPalette.h"
#include "platform/Surface.h"

#include <QString>

// The three looks a style draws.
enum class ButtonLook { Up, Pressed, Disabled };

// Everything one redraw of a button needs, with the primitives its styles are written in.
// It lives for one redraw only and owns no drawing object beyond a primitive.
class ButtonPainter
{
public:
    struct State
    {
        int width = 0;  // W
        int height = 0; // H
        ButtonPalette palette;
        QString caption;
        bool fontBold = false;         // the Bold of the control's Font
        bool focused = false;          // has the focus and ShowFocusRect allows the cue
        bool displayAsDefault = false; // the host shows this button as its default
        WinRect textRect;
        WinRect pressedTextRect;
        WinRect focusRect;
    };

    ButtonPainter(Surface &surface, const State &state) : m_surface(surface), m_state(state) {}

    int width() const { return m_state.width; }
    int height() const { return m_state.height; }
    const ButtonPalette &palette() const { return m_state.palette; }
    const QString &caption() const { return m_state.caption; }
    bool fontBold() const { return m_state.fontBold; }
    bool focused() const { return m_state.focused; }
    bool displayAsDefault() const { return m_state.displayAsDefault; }
    const WinRect &textRect() const { return m_state.textRect; }
    const WinRect &pressedTextRect() const { return m_state.pressedTextRect; }
    const WinRect &focusRect() const { return m_state.focusRect; }
    Surface &surface() { return m_surface; }

    // Line (x1, y1)-(x2, y2): start pixel drawn, end pixel not.
    void line(int x1, int y1, int x2, int y2, ColorRef color)
    {
        m_surface.line(x1, y1, x2, y2, color);
    }
    void pixel(int x, int y, ColorRef color) { m_surface.setPixel(x, y, color); }
    // FillOrFrameRect (x, y, width, height, colour, frame).
    void fillOrFrameRect(int x, int y, int width, int height, ColorRef color, bool frame);
    void fill(int x, int y, int width, int height, ColorRef color)
    {
        fillOrFrameRect(x, y, width, height, color, false);
    }
    void frame(int x, int y, int width, int height, ColorRef color)
    {
        fillOrFrameRect(x, y, width, height, color, true);
    }

    void setTextColor(ColorRef color) { m_surface.setTextColor(color); }
    // The caption in the rectangle, centred on one line, in the text colour last set.
    void caption(const WinRect &rect) { m_surface.drawText(m_state.caption, rect); }
    void captionUp() { caption(m_state.textRect); }
    void captionPressed() { caption(m_state.pressedTextRect); }
    // The disabled caption of most styles: a light copy one pixel below and right of a dark one.
    void embossedCaption();
    // The disabled caption of Etched and ThickEdge: once, in ShadowColor.
    void flatDisabledCaption();
    // DrawFocusRect on FocusRect.
    void focusRectangle() { m_surface.drawFocusRect(m_state.focusRect); }

    // FontBold of the surface: the bold face of the caption only, the Font member untouched.
    void setFontBold(bool bold) { m_surface.setFontBold(bold); }
    qreal captionWidth() const { return m_surface.textWidth(m_state.caption); }
    qreal captionHeight() const { return m_surface.textHeight(m_state.caption); }

private:
    Surface &m_surface;
    State m_state;
};
