#include "platform/StdFont.h"

#include <cmath>

StdFont::StdFont(const QString &name, float size, bool bold)
    : m_name(name), m_size(size), m_bold(bold)
{
}

QFont StdFont::toQFont(int pixelHeight) const
{
    QFont font(m_name);
    font.setPixelSize(qMax(1, pixelHeight));
    font.setBold(m_bold);
    font.setItalic(m_italic);
    font.setUnderline(m_underline);
    font.setStrikeOut(m_strikethrough);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

int StdFont::pixelHeight(int logicalDpiY) const
{
    return int(std::lround(double(m_size) * logicalDpiY / 72.0));
}
