#pragma once

#include "platform/WinTypes.h"

// The six colours every button style draws with.
struct ButtonPalette
{
    ColorRef faceColor = 0;
    ColorRef lightColor = 0;
    ColorRef highlightColor = 0;
    ColorRef shadowColor = 0;
    ColorRef darkShadowColor = 0;
    ColorRef textColor = 0;

    friend bool operator==(const ButtonPalette &, const ButtonPalette &) = default;
};

// Colour schemes of the button.
enum ColorSchemeValue : qint32 {
    SystemColorsScheme = 1,
    CustomColorsScheme = 2,
    GreyColorsScheme = 3
};

// Adds the signed delta to each of red, green and blue of the colour, each kept within 0 to
// 255. The colour is taken as a signed 32-bit value, as stored.
ColorRef ShiftColor(ColorRef color, qint32 delta);

// The palette of a colour scheme; any scheme other than 2 and 3 reads the system colours.
ButtonPalette paletteForScheme(qint32 colorScheme, ColorRef backColor, ColorRef foreColor);
