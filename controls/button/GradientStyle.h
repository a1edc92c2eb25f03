#pragma once

#include "platform/WinTypes.h"

// How deep one look of the Gradient style shades its face, and from which row.
struct GradientDepth
{
    qint32 firstRow = 1;
    qint32 redGreen = 0;
    qint32 blue = 0;
};

// The colour of row i of a gradient over a button height pixels high: white less
// i × (depth ÷ height) in red and green and i × (blue depth ÷ height) in blue. The two
// factors are kept in single precision, as the style has always drawn them; each product is
// brought to the nearest whole number, halves to even. A height of 0 or less has no rows.
ColorRef gradientRowColor(const GradientDepth &depth, qint32 height, qint32 row);
