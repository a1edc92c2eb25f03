#pragma once

#include "platform/WinTypes.h"

#include <optional>

// The system's colours, read from the running application's palette:
//   COLOR_BTNFACE (15) Button, COLOR_BTNSHADOW (16) Dark, COLOR_BTNTEXT (18) ButtonText,
//   COLOR_BTNHIGHLIGHT (20) Light, COLOR_3DDKSHADOW (21) Shadow, COLOR_3DLIGHT (22) Midlight,
// and, for colours a user may store, COLOR_WINDOW (5) Base, COLOR_WINDOWTEXT (8) Text,
// COLOR_HIGHLIGHT (13) Highlight, COLOR_HIGHLIGHTTEXT (14) HighlightedText and
// COLOR_GRAYTEXT (17) the disabled Text.
namespace SystemColors {

enum Index {
    Window = 5,
    WindowText = 8,
    Highlight = 13,
    HighlightText = 14,
    BtnFace = 15,
    BtnShadow = 16,
    GrayText = 17,
    BtnText = 18,
    BtnHighlight = 20,
    DkShadow3D = 21,
    Light3D = 22,
};

// GetSysColor: a plain RGB value; 0 for an index the palette has no role for.
ColorRef sysColor(int index);

// OleTranslateColor: a plain colour is returned as it is; a system colour (top bit set)
// becomes its current value; nothing when it names no known system colour.
std::optional<ColorRef> translate(ColorRef color);

} // namespace SystemColors
