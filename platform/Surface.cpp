#include "platform/Surface.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// Clips a half-open span to [0, limit).
bool clipSpan(int &from, int &to, int limit)
{
    from = std::max(from, 0);
    to = std::min(to, limit);
    return from < to;
}

// Rows of the picture for one drawing call: the copy-on-write check runs once, not per row.
class PixelRows
{
public:
    explicit PixelRows(QImage &image) : m_bits(image.bits()), m_stride(image.bytesPerLine()) {}
    QRgb *operator[](int y) const { return reinterpret_cast<QRgb *>(m_bits + y * m_stride); }

private:
    uchar *m_bits;
    qsizetype m_stride;
};

} // namespace

Surface::Surface(int logicalDpi) : m_logicalDpi(logicalDpi)
{
    m_image = QImage(0, 0, QImage::Format_RGB32);
}

void Surface::setLogicalDpi(int dpi)
{
    m_logicalDpi = dpi > 0 ? dpi : 96;
    m_stamps.clear();
}

void Surface::resize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_image = QImage(m_width, m_height, QImage::Format_RGB32);
    const qreal dotsPerMeter = m_logicalDpi / 0.0254;
    m_image.setDotsPerMeterX(qRound(dotsPerMeter));
    m_image.setDotsPerMeterY(qRound(dotsPerMeter));
    m_stamps.clear();
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
    const PixelRows rows(m_image);
    rows[y][x] = toQRgb(color);
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
        std::fill_n(PixelRows(m_image)[y1] + from, to - from, toQRgb(color));
        return;
    }
    if (x1 == x2) {
        int from = y2 < y1 ? y2 + 1 : y1;
        int to = y2 < y1 ? y1 + 1 : y2;
        if (x1 < 0 || x1 >= width() || !clipSpan(from, to, height()))
            return;
        const QRgb value = toQRgb(color);
        const PixelRows rows(m_image);
        for (int y = from; y < to; ++y)
            rows[y][x1] = value;
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
    const PixelRows rows(m_image);
    for (int y = top; y < bottom; ++y)
        std::fill_n(rows[y] + left, right - left, value);
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
    const PixelRows rows(m_image);
    auto invert = [this, &rows](int x, int y) {
        if (x < 0 || y < 0 || x >= width() || y >= height() || ((x + y) & 1))
            return;
        QRgb &p = rows[y][x];
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

const Surface::ResolvedFont &Surface::resolvedFont() const
{
    if (!m_resolved || m_resolved->logicalDpi != m_logicalDpi || !(m_resolved->font == m_font)) {
        const QFont qfont = m_font.toQFont(m_font.pixelHeight(m_logicalDpi));
        m_resolved.emplace(ResolvedFont{m_font, m_logicalDpi, qfont, QFontMetricsF(qfont)});
    }
    return *m_resolved;
}

QFont Surface::currentQFont() const
{
    return resolvedFont().qfont;
}

void Surface::drawText(const QString &text, const WinRect &rect)
{
    if (text.isEmpty() || m_image.isNull() || rect.isEmpty())
        return;
    const QFont &font = resolvedFont().qfont;
    const QRgb color = toQRgb(m_textColor);
    const QList<TextStamps::Run> *runs = m_stamps.find(text, font, rect, m_image.size());
    if (!runs) {
        TextStamps::paint(m_image, text, font, rect, color);
        return;
    }
    const PixelRows rows(m_image);
    for (const TextStamps::Run &run : *runs)
        std::fill_n(rows[run.y] + run.from, run.to - run.from, color);
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
    return resolvedFont().metrics.horizontalAdvance(text);
}

qreal Surface::textHeight(const QString &text) const
{
    const int lines = text.isEmpty() ? 1 : int(text.count(QLatin1Char('\n'))) + 1;
    return resolvedFont().metrics.height() * lines;
}
