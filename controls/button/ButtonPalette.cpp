#include "controls/button/ButtonPalette.h"

#include "platform/SystemColors.h"

#include <algorithm>

ColorRef ShiftColor(ColorRef color, qint32 delta)
{
    // Channels of the raw signed value: C++ division truncates toward zero and the remainder
    // takes the sign of the dividend, as the arithmetic this mirrors.
    const qint64 c = qint32(color);
    const qint64 d = delta;
    const auto clamp = [](qint64 v) { return std::clamp<qint64>(v, 0, 255); };
    const qint64 blue = clamp((c / 65536) % 256 + d);
    const qint64 green = clamp((c / 256) % 256 + d);
    const qint64 red = clamp((c & 255) + d);
    return ColorRef(red + 256 * green + 65536 * blue);
}

ButtonPalette paletteForScheme(qint32 colorScheme, ColorRef backColor, ColorRef foreColor)
{
    ButtonPalette p;
    if (colorScheme == CustomColorsScheme) {
        p.textColor = foreColor;
        p.faceColor = backColor;
        p.shadowColor = ShiftColor(p.faceColor, -64);
        p.lightColor = ShiftColor(p.faceColor, 31);
        p.highlightColor = ShiftColor(p.faceColor, 47);
        p.darkShadowColor = ShiftColor(p.faceColor, -192);
    } else if (colorScheme == GreyColorsScheme) {
        p.faceColor = 0xC0C0C0;
        p.lightColor = 0xDFDFDF;
        p.highlightColor = 0xFFFFFF;
        p.shadowColor = 0x808080;
        p.darkShadowColor = 0x000000;
        p.textColor = 0x000000;
    } else {
        p.faceColor = SystemColors::sysColor(SystemColors::BtnFace);
        p.shadowColor = SystemColors::sysColor(SystemColors::BtnShadow);
        p.lightColor = SystemColors::sysColor(SystemColors::Light3D);
        p.darkShadowColor = SystemColors::sysColor(SystemColors::DkShadow3D);
        p.highlightColor = SystemColors::sysColor(SystemColors::BtnHighlight);
        p.textColor = SystemColors::sysColor(SystemColors::BtnText);
    }
    return p;
}
