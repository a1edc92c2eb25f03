#include "platform/TextStamps.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr std::size_t MaxStamps = 8;
constexpr QRgb Ground = 0xFF000000u;
constexpr QRgb Ink = 0xFFFFFFFFu;

} // namespace

void TextStamps::paint(QImage &picture, const QString &text, const QFont &font, const WinRect &rect,
                       QRgb color)
{
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(color));
    painter.setClipRect(rect.toQRect());
    painter.drawText(
        rect.toQRect(),
        Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::TextExpandTabs, text);
}

TextStamps::Stamp TextStamps::make(const QString &text, const QFont &font, const WinRect &rect,
                                   QSize pictureSize)
{
    Stamp stamp{text, font, rect, pictureSize, true, {}};
    // Painted where it will be shown, on a picture as large as the real one up to the
    // rectangle's far corner, so that every position rounds exactly as it will there.
    const int width = std::clamp(rect.right, 0, pictureSize.width());
    const int height = std::clamp(rect.bottom, 0, pictureSize.height());
    if (width <= std::max(rect.left, 0) || height <= std::max(rect.top, 0))
        return stamp;
    QImage probe(width, height, QImage::Format_RGB32);
    probe.fill(Ground);
    paint(probe, text, font, rect, Ink);
    for (int y = std::max(rect.top, 0); y < height && stamp.exact; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(probe.constScanLine(y));
        for (int x = std::max(rect.left, 0); x < width;) {
            if (row[x] == Ground) {
                ++x;
                continue;
            }
            if (row[x] != Ink) {
                // A blended pixel: its colour would depend on the picture under it.
                stamp.exact = false;
                stamp.runs.clear();
                break;
            }
            const int from = x;
            while (x < width && row[x] == Ink)
                ++x;
            stamp.runs.append({y, from, x});
        }
    }
    return stamp;
}

const QList<TextStamps::Run> *TextStamps::find(const QString &text, const QFont &font,
                                               const WinRect &rect, QSize pictureSize)
{
    auto found = std::find_if(m_stamps.begin(), m_stamps.end(), [&](const Stamp &stamp) {
        return stamp.rect == rect && stamp.pictureSize == pictureSize && stamp.text == text &&
               stamp.font == font;
    });
    if (found == m_stamps.end()) {
        if (m_stamps.size() == MaxStamps)
            m_stamps.erase(m_stamps.begin());
        m_stamps.push_back(make(text, font, rect, pictureSize));
    } else if (found + 1 != m_stamps.end()) {
        std::rotate(found, found + 1, m_stamps.end());
    }
    const Stamp &stamp = m_stamps.back();
    return stamp.exact ? &stamp.runs : nullptr;
}
