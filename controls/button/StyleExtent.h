#pragma once

#include "controls/button/ButtonPainter.h"
#include "platform/base/Checked.h"

// The width and height of one redraw and the offsets from them that the drawing lists are
// written in (W-1 to W-4, H-1 to H-4), taken once in checked 32-bit arithmetic so that a
// size out of range is an error and not a wrapped coordinate. The upper-case names follow
// the lists' notation.
struct StyleExtent
{
    explicit StyleExtent(const ButtonPainter &painter)
        : W(painter.width()), H(painter.height()), W1(Checked::sub<qint32>(W, 1)),
          W2(Checked::sub<qint32>(W, 2)), W3(Checked::sub<qint32>(W, 3)),
          W4(Checked::sub<qint32>(W, 4)), H1(Checked::sub<qint32>(H, 1)),
          H2(Checked::sub<qint32>(H, 2)), H3(Checked::sub<qint32>(H, 3)),
          H4(Checked::sub<qint32>(H, 4))
    {
    }

    const qint32 W;
    const qint32 H;
    const qint32 W1;
    const qint32 W2;
    const qint32 W3;
    const qint32 W4;
    const qint32 H1;
    const qint32 H2;
    const qint32 H3;
    const qint32 H4;
};
