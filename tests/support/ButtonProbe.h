#pragma once

#include "controls/button/Button.h"

// What a button keeps for its drawing and its clicks, which its interface does not show.
class ButtonProbe
{
public:
    static const ButtonPalette &palette(const Button &b) { return b.m_palette; }
    static WinRect textRect(const Button &b) { return b.m_textRect; }
    static WinRect pressedTextRect(const Button &b) { return b.m_pressedTextRect; }
    static WinRect focusRect(const Button &b) { return b.m_focusRect; }
    static quint8 lastMouseButton(const Button &b) { return b.m_lastMouseButton; }
    static bool hasFocus(const Button &b) { return b.m_hasFocus; }
};
