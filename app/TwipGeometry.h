#pragma once

#include <QRect>

// Window layouts are given in twips (1/1440 inch); this turns them into pixels at the screen's
// logical resolution, 15 twips per pixel at 96 DPI.
class TwipGeometry
{
public:
    explicit TwipGeometry(int logicalDpi);

    int toPixels(int twips) const;
    QRect rect(int left, int top, int width, int height) const;

private:
    int m_logicalDpi;
};
