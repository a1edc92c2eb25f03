#include "app/TwipGeometry.h"

#include <cmath>

TwipGeometry::TwipGeometry(int logicalDpi) : m_logicalDpi(logicalDpi) {}

int TwipGeometry::toPixels(int twips) const
{
    // Nearest pixel, halves to the even neighbour.
    return int(std::nearbyint(double(twips) * m_logicalDpi / 1440.0));
}

QRect TwipGeometry::rect(int left, int top, int width, int height) const
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
