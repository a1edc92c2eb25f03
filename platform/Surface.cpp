#include "platform/Surface.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextOption>

#include <algorithm>

namespace {

// Clips a half-open span to [0, limit).
bool clipSpan(int &from, int &to, int limit)
{
    from = std::max(from, 0);
    to = std::min(to, limit);
    return from < to;
}

} // namespace

Surface::Surface(int logicalDpi) : m_logicalDpi(logicalDpi)
{
    m_image = QImage(0, 0, QImage::Format_RGB32);
}

void Surface::setLogicalDpi(int dpi)
{
    m_logicalDpi = dpi > 0 ? dpi : 96;
}

void Surface::resize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_image = QImage(m_width, m_height, QImage::Format_RGB32);
    const qreal dotsPerMeter = m_logicalDpi / 0.0254;
    m_image.setDotsPerMeterX(qRound(dotsPerMeter));
    m_image.setDotsPerMeterY(qRound(dotsPerMeter));
    clear();
}

void Surface::clear()
{
    m_image.fill(toQRgb(m_backColor));
}

void Surface::setPixel(int x, int y, ColorRef color)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    reinterpret_cast<QRgb *>(m_image.scanLine(y))[x] = toQRgb(color);
}

ColorRef Surface::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0;
    return fromQRgb(reinterpret_cast<const QRgb *>(m_image.constScanLine(y))[x]);
}

void Surface::line(int x1, int y1, int x2, int y2, ColorRef color)
{
    if (y1 == y2) {
        // Drawn from x1 toward x2, x2 itself excluded.
        int from = x2 < x1 ? x2 + 1 : x1;
        int to = x2 < x1 ? x1 + 1 : x2;
        if (y1 < 0 || y1 >= height() || !clipSpan(from, to, width()))
            return;
        std::fill_n(reinterpret_cast<QRgb *>(m_image.scanLine(y1)) + from, to - from,
                    toQRgb(color));
        return;
    }
    if (x1 == x2) {
        int from = y2 < y1 ? y2 + 1 : y1;
        int to = y2 < y1 ? y1 + 1 : y2;
        if (x1 < 0 || x1 >= width() || !clipSpan(from, to, height()))
            return;
        const QRgb value = toQRgb(color);
        for (int y = from; y < to; ++y)
            reinterpret_cast<QRgb *>(m_image.scanLine(y))[x1] = value;
        return;
    }
    // A slanted line: Bresenham from the start point, stopping before the end point.
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    while (x != x2 || y != y2) {
        setPixel(x, y, color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void Surface::fillRect(const WinRect &rect, ColorRef color)
{
    int left = rect.left, right = rect.right, top = rect.top, bottom = rect.bottom;
    if (!clipSpan(left, right, width()) || !clipSpan(top, bottom, height()))
        return;
    const QRgb value = toQRgb(color);
    for (int y = top; y < bottom; ++y)
        std::fill_n(reinterpret_cast<QRgb *>(m_image.scanLine(y)) + left, right - left, value);
}

void Surface::frameRect(const WinRect &rect, ColorRef color)
{
    if (rect.isEmpty())
        return;
    fillRect({rect.left, rect.top, rect.right, rect.top + 1}, color);
    fillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, color);
    fillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, color);
    fillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, color);
}

void Surface::drawFocusRect(const WinRect &rect)
{
    if (rect.isEmpty())
        return;
    auto invert = [this](int x, int y) {
        if (x < 0 || y < 0 || x >= width() || y >= height() || ((x + y) & 1))
            return;
        QRgb &p = reinterpret_cast<QRgb *>(m_image.scanLine(y))[x];
        p = (p ^ 0x00FFFFFFu) | 0xFF000000u;
    };
    // Each outline pixel once, so that corners are not inverted twice.
    for (int x = rect.left; x < rect.right; ++x) {
        invert(x, rect.top);
        if (rect.bottom - 1 != rect.top)
            invert(x, rect.bottom - 1);
    }
    for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
        invert(rect.left, y);
        if (rect.right - 1 != rect.left)
            invert(rect.right - 1, y);
    }
}

QFont Surface::currentQFont() const
{
    return m_font.toQFont(m_font.pixelHeight(m_logicalDpi));
}

void Surface::drawText(const QString &text, const WinRect &rect)
{
    if (text.isEmpty() || m_image.isNull() || rect.isEmpty())
        return;
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(currentQFont());
    painter.setPen(QColor::fromRgb(toQRgb(m_textColor)));
    painter.setClipRect(rect.toQRect());
    painter.drawText(
        rect.toQRect(),
        Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::TextExpandTabs, text);
}

void Surface::textOut(int x, int y, const QString &text, const QFont &font, int escapement)
{
    if (text.isEmpty() || m_image.isNull())
        return;
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(toQRgb(m_textColor)));
    painter.translate(x, y);
    painter.rotate(-escapement / 10.0);
    painter.drawText(QPointF(0, QFontMetrics(font).ascent()), text);
}

qreal Surface::textWidth(const QString &text) const
{
    return QFontMetricsF(currentQFont()).horizontalAdvance(text);
}

qreal Surface::textHeight(const QString &text) const
{
    const int lines = text.isEmpty() ? 1 : int(text.count(QLatin1Char('\n'))) + 1;
    return QFontMetricsF(currentQFont()).height() * lines;
}
