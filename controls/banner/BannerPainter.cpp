#include "controls/banner/BannerPainter.h"

#include "controls/banner/LogFont.h"
#include "platform/AnsiText.h"
#include "platform/SystemColors.h"
#include "platform/base/Checked.h"
#include "platform/base/Error.h"

namespace {

// The font sizes the surface font takes, in points.
constexpr float minFontSize = 1.0f;
constexpr float maxFontSize = 2160.0f;

// The device context's text colour while the caption is written: ForeColor as a plain colour.
class TextColorScope
{
public:
    TextColorScope(Surface &surface, ColorRef color)
        : m_surface(surface), m_kept(surface.textColor())
    {
        m_surface.setTextColor(color);
    }
    ~TextColorScope() { m_surface.setTextColor(m_kept); }
    TextColorScope(const TextColorScope &) = delete;
    TextColorScope &operator=(const TextColorScope &) = delete;

private:
    Surface &m_surface;
    ColorRef m_kept;
};

void paintBands(Surface &surface, const BannerPainter::State &state, qint32 width, qint32 height)
{
    const qint32 step = height / 255 == 0 ? 1 : height / 255;
    BannerPainter::Rgb current = state.startRGB;
    std::array<double, 3> delta{};
    for (std::size_t i = 0; i < delta.size(); ++i)
        delta[i] = Checked::sub<qint16>(state.endRGB[i], state.startRGB[i]);

    WinRect band{0, 0, width, height};
    // From the bottom edge up; the last band lies wholly or partly above row 0.
    for (qint32 y = height; y >= 0; y = Checked::sub<qint32>(y, step)) {
        band.top = Checked::sub<qint32>(band.bottom, step);
        const qint32 color =
            Checked::narrow<qint32>(current[0] + current[1] * 256LL + current[2] * 65536LL);
        surface.fillRect(band, ColorRef(color));
        band.bottom = band.top;
        if (height == 0)
            throw Error(QStringLiteral("Banner: división entre cero en el degradado"));
        for (std::size_t i = 0; i < current.size(); ++i)
            current[i] =
                Checked::round<qint16>(double(height - y) * delta[i] / height + state.startRGB[i]);
    }
}

void fitFont(Surface &surface, const BannerPainter::State &state)
{
    // The first whole size whose "Xg" is taller than the banner is wide, less three.
    qint16 size = 2;
    for (;;) {
        BannerPainter::setFontSize(surface, size);
        const float heightTwips =
            float(qreal(surface.textHeight(QStringLiteral("Xg"))) * state.twipsPerPixel);
        if (heightTwips > state.widthTwips)
            break;
        size = Checked::add<qint16>(size, 1);
    }
    BannerPainter::setFontSize(surface, Checked::sub<qint16>(size, 3));
}

void paintCaption(Surface &surface, const QString &caption, qint32 height)
{
    LogFont record;
    FontToLogFont(surface.font(), surface.logicalDpi(), record);
    record.lfEscapement = 900;
    const QFont font = record.toQFont();
    // The caption goes through the single-byte code page on its way to the text call.
    const QString text = AnsiText::decode(AnsiText::encodeLossy(caption));
    const TextColorScope color(surface, SystemColors::translate(surface.textColor()).value_or(0));
    surface.textOut(0, Checked::sub<qint32>(height, 16), text, font, record.lfEscapement);
}

void paintBorder(Surface &surface, qint16 borderStyle)
{
    if (borderStyle == 1)
        surface.frameRect({0, 0, surface.width(), surface.height()}, 0);
}

} // namespace

BannerPainter::Rgb BannerPainter::split(ColorRef color)
{
    const ColorRef c = SystemColors::translate(color).value_or(0);
    return {qint16(c & 0xFF), qint16((c >> 8) & 0xFF), qint16((c >> 16) & 0xFF)};
}

void BannerPainter::setFontSize(Surface &surface, float points)
{
    if (!(points >= minFontSize && points <= maxFontSize))
        throw Error(QStringLiteral("FontSize: el tamaño %1 no es válido (de %2 a %3 puntos)")
                        .arg(double(points))
                        .arg(double(minFontSize))
                        .arg(double(maxFontSize)));
    StdFont font = surface.font();
    font.setSize(points);
    surface.setFont(font);
}

void BannerPainter::paint(Surface &surface, const State &state)
{
    if (state.twipsPerPixel == 0)
        throw Error(QStringLiteral("Banner: cero twips por píxel"));
    const qint32 height = Checked::round<qint32>(state.heightTwips) / state.twipsPerPixel;
    const qint32 width = Checked::round<qint32>(state.widthTwips) / state.twipsPerPixel;

    paintBands(surface, state, width, height);
    paintBorder(surface, state.borderStyle);
    if (state.fontAutoSize)
        fitFont(surface, state);
    paintCaption(surface, state.caption, height);
    paintBorder(surface, state.borderStyle);
}
