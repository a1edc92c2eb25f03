#pragma once

#include <QColor>
#include <QRect>
#include <QtGlobal>

// A colour as the controls store it: 0x00BBGGRR, red in the low byte. A value with the top
// bit set names a system colour by index in its low byte.
using ColorRef = quint32;

constexpr ColorRef systemColorFlag = 0x80000000u;

// 16-bit booleans as the controls keep them.
constexpr qint16 VbTrue = -1;
constexpr qint16 VbFalse = 0;

constexpr qint16 toVbBool(bool value)
{
    return value ? VbTrue : VbFalse;
}

constexpr QRgb toQRgb(ColorRef c)
{
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

constexpr ColorRef fromQRgb(QRgb rgb)
{
    return ColorRef(qRed(rgb)) | (ColorRef(qGreen(rgb)) << 8) | (ColorRef(qBlue(rgb)) << 16);
}

constexpr ColorRef rgb(int red, int green, int blue)
{
    return ColorRef(red & 0xFF) | (ColorRef(green & 0xFF) << 8) | (ColorRef(blue & 0xFF) << 16);
}

// A rectangle as the drawing calls take it: the right and bottom edges are excluded.
struct WinRect
{
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;

    bool isEmpty() const { return right <= left || bottom <= top; }
    QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
    friend bool operator==(const WinRect &, const WinRect &) = default;
};
