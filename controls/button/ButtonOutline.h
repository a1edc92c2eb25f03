#pragma once

#include <QRegion>
#include <QtGlobal>

// The region of the pixel span between two corners given in either order: columns from the
// smaller to the larger x (excluded), rows likewise. An empty span gives an empty region.
QRegion regionFromCorners(qint32 x1, qint32 y1, qint32 x2, qint32 y2);

// The pixels of a W x H button window of the given ButtonType: the full rectangle less the
// corner pixels the style cuts away, removed one cut at a time in the style's order. Cuts
// that fall outside a small rectangle, or on pixels already gone, remove nothing more.
QRegion buttonOutline(qint32 buttonType, qint32 width, qint32 height);
