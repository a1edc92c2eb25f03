#pragma once

#include "platform/StdFont.h"
#include "platform/TextStamps.h"
#include "platform/WinTypes.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QString>

#include <optional>

// The retained picture behind a control's window, with the exact pixel rules of the drawing
// calls the controls were written against: right and bottom edges excluded, a line's end
// point not drawn, no antialiasing, text on a transparent background.
class Surface
{
public:
    explicit Surface(int logicalDpi = 96);

    // The size asked for: a surface 0 pixels wide keeps its height (its picture is empty).
    int width() const { return m_width; }
    int height() const { return m_height; }
    int logicalDpi() const { return m_logicalDpi; }
    void setLogicalDpi(int dpi);
    // A new size gives a new picture cleared to the back colour.
    void resize(int width, int height);
    const QImage &image() const { return m_image; }

    ColorRef backColor() const { return m_backColor; }
    void setBackColor(ColorRef color) { m_backColor = color; }
    ColorRef textColor() const { return m_textColor; }
    void setTextColor(ColorRef color) { m_textColor = color; }
    const StdFont &font() const { return m_font; }
    void setFont(const StdFont &font) { m_font = font; }

    // Cls: the whole picture in the back colour.
    void clear();
    void setPixel(int x, int y, ColorRef color);
    ColorRef pixel(int x, int y) const;
    // A 1-pixel solid line; the start point is drawn, the end point is not.
    void line(int x1, int y1, int x2, int y2, ColorRef color);
    void fillRect(const WinRect &rect, ColorRef color);
    // The 1-pixel outline inside the rectangle.
    void frameRect(const WinRect &rect, ColorRef color);
    // The dotted focus outline, drawn by inverting every other pixel, so a second call
    // restores the picture.
    void drawFocusRect(const WinRect &rect);

    // One line centred in the rectangle, tabs expanded, "&" underlining the next character
    // and "&&" showing one "&"; in the text colour and the current font; clipped to the
    // rectangle.
    void drawText(const QString &text, const WinRect &rect);
    // Text whose cell has its top-left corner at (x, y), turned counter-clockwise by
    // escapement tenths of a degree (900 writes upward), in the text colour.
    void textOut(int x, int y, const QString &text, const QFont &font, int escapement);

    // Extents in pixels in the current font: the advance of the text and the line height
    // (fractional values possible).
    qreal textWidth(const QString &text) const;
    qreal textHeight(const QString &text) const;
    // FontBold: switches the bold face of the current font only.
    void setFontBold(bool bold) { m_font.setBold(bold); }
    bool fontBold() const { return m_font.bold(); }
    QFont currentQFont() const;

private:
    // The toolkit font and its metrics for the current font and DPI, made again only when
    // either changes: building them is most of the cost of measuring a caption.
    struct ResolvedFont
    {
        StdFont font;
        int logicalDpi;
        QFont qfont;
        QFontMetricsF metrics;
    };
    const ResolvedFont &resolvedFont() const;

    QImage m_image;
    int m_width = 0;
    int m_height = 0;
    int m_logicalDpi;
    ColorRef m_backColor = 0x00FFFFFF;
    ColorRef m_textColor = 0;
    StdFont m_font;
    mutable std::optional<ResolvedFont> m_resolved;
    TextStamps m_stamps;
};
