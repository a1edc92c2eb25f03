#include "platform/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

std::optional<QColor> paletteColor(int index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case SystemColors::Window:
        return palette.color(QPalette::Active, QPalette::Base);
    case SystemColors::WindowText:
        return palette.color(QPalette::Active, QPalette::Text);
    case SystemColors::Highlight:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case SystemColors::HighlightText:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case SystemColors::BtnFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case SystemColors::BtnShadow:
        return palette.color(QPalette::Active, QPalette::Dark);
    case SystemColors::GrayText:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case SystemColors::BtnText:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case SystemColors::BtnHighlight:
        return palette.color(QPalette::Active, QPalette::Light);
    case SystemColors::DkShadow3D:
        return palette.color(QPalette::Active, QPalette::Shadow);
    case SystemColors::Light3D:
        return palette.color(QPalette::Active, QPalette::Midlight);
    default:
        return std::nullopt;
    }
}

} // namespace

ColorRef SystemColors::sysColor(int index)
{
    const auto color = paletteColor(index);
    return color ? fromQRgb(color->rgb()) : 0;
}

std::optional<ColorRef> SystemColors::translate(ColorRef color)
{
    const ColorRef kind = color >> 24;
    if (kind == 0x00 || kind == 0x02) // plain or palette-relative RGB
        return color & 0x00FFFFFFu;
    if ((color & systemColorFlag) == 0)
        return std::nullopt;
    if ((color & 0x7FFFFF00u) != 0)
        return std::nullopt;
    const auto known = paletteColor(int(color & 0xFF));
    if (!known)
        return std::nullopt;
    return fromQRgb(known->rgb());
}
