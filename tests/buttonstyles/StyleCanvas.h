#pragma once

#include "controls/button/ButtonPainter.h"
#include "controls/button/ButtonStyles.h"
#include "platform/Surface.h"
#include "platform/base/Error.h"

#include <QRect>
#include <QSize>

#include <cstdio>
#include <initializer_list>
#include <limits>
#include <ostream>
#include <string>

// A palette in which every colour, and every shift of a colour the styles take, is distinct,
// so that a pixel of the wrong colour cannot pass.
inline ButtonPalette distinctPalette()
{
    ButtonPalette p;
    p.faceColor = rgb(200, 180, 160);
    p.lightColor = rgb(225, 215, 205);
    p.highlightColor = rgb(250, 245, 240);
    p.shadowColor = rgb(120, 100, 140);
    p.darkShadowColor = rgb(20, 30, 40);
    p.textColor = rgb(10, 120, 10);
    return p;
}

// A colour no style draws with, left as the text colour before a disabled look: the disabled
// captions must set their own colours.
constexpr ColorRef staleTextColor = rgb(255, 0, 255);

inline ColorRef inverted(ColorRef c)
{
    return c ^ 0xFFFFFFu;
}

// Colours print as 0xBBGGRR so that a failure reads like the drawing lists.
inline std::string hex(ColorRef c)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", unsigned(c));
    return text;
}

// One button picture drawn the way the redraw frame prepares it: cleared, the face filled,
// and the text colour set for the enabled looks.
class StyleCanvas
{
public:
    StyleCanvas(int width, int height, const QString &caption = QString())
    {
        m_surface.resize(width, height);
        m_state.width = width;
        m_state.height = height;
        m_state.palette = distinctPalette();
        m_state.caption = caption;
        m_state.textRect = {0, 0, width, height};
        m_state.pressedTextRect = {2, 2, width, height};
        m_state.focusRect = {3, 3, width - 3, height - 3};
    }

    ButtonPainter::State &state() { return m_state; }
    Surface &surface() { return m_surface; }
    const ButtonPalette &palette() const { return m_state.palette; }
    int width() const { return m_state.width; }
    int height() const { return m_state.height; }

    void paint(qint32 buttonType, ButtonLook look)
    {
        m_surface.clear();
        ButtonPainter painter(m_surface, m_state);
        painter.fill(0, 0, m_state.width, m_state.height, m_state.palette.faceColor);
        painter.setTextColor(look == ButtonLook::Disabled ? staleTextColor
                                                          : m_state.palette.textColor);
        paintButtonStyle(painter, buttonType, look);
    }

    ColorRef at(int x, int y) const { return m_surface.pixel(x, y); }

    // The smallest rectangle holding every pixel of the colour within the area; null when
    // there is none.
    QRect boundsOf(ColorRef color, const QRect &area) const
    {
        QRect bounds;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (at(x, y) == color)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    }

    int count(ColorRef color) const
    {
        int n = 0;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                n += at(x, y) == color ? 1 : 0;
        return n;
    }

    // The area well inside every style's edges, where only the caption and the face show.
    QRect interior() const { return QRect(5, 5, width() - 10, height() - 10); }

private:
    Surface m_surface;
    ButtonPainter::State m_state;
};

// Test names show sizes as 75x23.
inline void PrintTo(const QSize &size, std::ostream *os)
{
    *os << size.width() << "x" << size.height();
}

// A pixel to check: its coordinates and the colour the drawing list leaves there.
struct Expected
{
    int x;
    int y;
    ColorRef color;
};

// Checks every expected pixel, reporting each mismatch with its coordinates.
#define EXPECT_PIXELS(canvas, ...)                                                                 \
    do {                                                                                           \
        for (const Expected &e : std::initializer_list<Expected>{__VA_ARGS__})                     \
            EXPECT_EQ(hex((canvas).at(e.x, e.y)), hex(e.color))                                    \
                << "pixel (" << e.x << ", " << e.y << ") on " << (canvas).width() << "x"           \
                << (canvas).height();                                                              \
    } while (false)
