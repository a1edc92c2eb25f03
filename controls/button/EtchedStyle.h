#pragma once

#include "platform/WinTypes.h"

// Etched marks the focus with a box around its caption, in a fixed pale blue.
constexpr ColorRef etchedCaptionBoxColor = 0xCC9999;

// The caption box as Frame (x, y, width, height).
struct EtchedCaptionBox
{
    qint32 x = 0;
    qint32 y = 0;
    qint32 width = 0;
    qint32 height = 0;

    friend bool operator==(const EtchedCaptionBox &, const EtchedCaptionBox &) = default;
};

// The box around a caption measured textWidth by textHeight pixels (fractions allowed) on a
// button of width by height pixels. Fractions go to the nearest whole number, halves to even,
// and the halving truncates toward zero, so the box may sit a pixel off the drawn text's
// centre. Throws OverflowError when a value leaves the 32-bit range.
EtchedCaptionBox etchedCaptionBox(qint32 width, qint32 height, qreal textWidth, qreal textHeight);
