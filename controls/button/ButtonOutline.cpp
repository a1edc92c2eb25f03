#include "controls/button/ButtonOutline.h"

#include "controls/button/ButtonStyles.h"
#include "platform/base/Checked.h"

#include <QRect>

#include <algorithm>
#include <array>
#include <vector>

QRegion regionFromCorners(qint32 x1, qint32 y1, qint32 x2, qint32 y2)
{
    const qint64 left = std::min(x1, x2);
    const qint64 right = std::max(x1, x2);
    const qint64 top = std::min(y1, y2);
    const qint64 bottom = std::max(y1, y2);
    if (left == right || top == bottom)
        return {};
    return QRegion(QRect(int(left), int(top), int(right - left), int(bottom - top)));
}

namespace {

using Cut = std::array<qint32, 4>; // two corners: x1, y1, x2, y2

std::vector<Cut> cutsFor(qint32 buttonType, qint32 w, qint32 h)
{
    using Checked::sub;
    switch (buttonType) {
    case Beveled:
        return {
            {0, 0, 1, 1}, {0, sub(h, 1), 1, h}, {w, 0, sub(w, 1), 1}, {w, sub(h, 1), sub(w, 1), h}};
    case Gradient:
    case Rounded:
        return {{0, 0, 2, 1},         {0, sub(h, 1), 2, h},
                {sub(w, 2), 0, w, 1}, {sub(w, 2), sub(h, 1), w, h},
                {0, 1, 1, 2},         {0, sub(h, 2), 1, sub(h, 1)},
                {sub(w, 1), 1, w, 2}, {sub(w, 1), sub(h, 2), w, sub(h, 1)}};
    case Etched:
        return {{0, sub(h, 1), 1, h}, {w, 0, sub(w, 1), 1}};
    default:
        return {};
    }
}

} // namespace

QRegion buttonOutline(qint32 buttonType, qint32 width, qint32 height)
{
    // The corner arithmetic is checked even for sizes that give an empty outline.
    const std::vector<Cut> cuts = cutsFor(buttonType, width, height);
    QRegion outline = regionFromCorners(0, 0, width, height);
    for (const Cut &cut : cuts)
        outline -= regionFromCorners(cut[0], cut[1], cut[2], cut[3]);
    return outline;
}
